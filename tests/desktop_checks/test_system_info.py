"""The About box's "System Info..." with the real viewers installed: GNOME
Settings, KDE's Info Center and hardinfo, each under its desktop, and the
message where none is installed. The viewer must be started as a program of
its own and outlive tabrinex, and the About box must stay usable meanwhile."""
import os
from pathlib import Path

import pytest

from conftest import RELEASE, children_of, end_pid, holds, proc_stat, running, wait_for

ABOUT, MENU = "About Kelvaro #1", "Menu Tool"
# How each release names the viewers: GNOME Settings 46 moved its About page
# into the System panel, and Debian 13's hardinfo is hardinfo2.
GNOME = {12: "/usr/bin/gnome-control-center info-overview", 13: "/usr/bin/gnome-control-center system about"}
GENERAL = {12: "/usr/bin/hardinfo", 13: "/usr/bin/hardinfo2"}


@pytest.fixture
def viewers():
    """The viewers that tabrinex started, ended afterwards with what they started."""
    pids = []
    yield pids
    for pid in pids:
        if running(pid):
            end_pid(pid, group=os.getpgid(pid) == pid)


@pytest.fixture
def about(display, system_bus, program):
    """tabrinex on a desktop named by the test, choosing its windowing
    platform itself, as on a desktop, with its About box open and focused."""
    def start(desktop, **env):
        app = program(QT_QPA_PLATFORM=None, XDG_CURRENT_DESKTOP=desktop, XDG_SESSION_DESKTOP=None,
                      DESKTOP_SESSION=None, **env)
        app.menu(app.window(MENU), "About")
        box = app.window(ABOUT)
        display.focus(ABOUT)
        holds("the About box is active", lambda: app.a11y.has(box, "active"))
        return app, box
    return start


def usable(app, display):
    """The About box still answers: "License Agreement" opens the terms, and
    Esc (as OK no longer holds the focus) closes the box. The button is
    pressed through the accessibility tree: a new viewer may still raise its
    window over the box."""
    app.a11y.press(app.control(app.window(ABOUT), "button", "License Agreement"))
    app.window("License")
    display.focus(ABOUT)
    display.keys("Escape")
    holds("the About box closes", lambda: not display.find(ABOUT))


def exits(app, display):
    display.raise_(MENU)
    app.click(app.window(MENU), "button", "Exit to Windows")
    assert app.exits() == 0, "tabrinex ends by its launcher"


@pytest.mark.skipif(RELEASE not in GNOME, reason=f"no viewers known for Debian {RELEASE}")
@pytest.mark.parametrize("desktop,viewer", [("GNOME", GNOME.get(RELEASE)), ("KDE", "/usr/bin/kinfocenter"),
                                            ("XFCE", GENERAL.get(RELEASE))])
def test_viewer(desktop, viewer, about, display, viewers):
    app, _ = about(desktop)
    x = display
    before = {w.id for w in x.root.query_tree().children}

    def new_window():
        for window in x.root.query_tree().children:
            pid = x.prop(window, "_NET_WM_PID")
            if window.id not in before and x.viewable(window) and pid is not None and pid[0] != app.pid:
                return pid[0]
    x.keys("alt+s")  # "&System Info..."
    pid = wait_for("a viewer's window", new_window, 60)
    viewers.append(pid)
    command = Path(f"/proc/{pid}/cmdline").read_bytes().rstrip(b"\0").replace(b"\0", b" ").decode()
    assert command == viewer, f"the viewer is {viewer}"
    assert int(proc_stat(pid)[1]) != app.pid, "the viewer is not tabrinex's child"
    assert int(proc_stat(pid)[3]) == pid, "the viewer leads a session of its own"
    assert b"\0QT_QPA_PLATFORM=" not in b"\0" + Path(f"/proc/{pid}/environ").read_bytes(), \
        "no windowing platform passed on"
    assert all(running(child) for child in children_of(app.pid)), "no child of tabrinex is a zombie"
    assert x.find(ABOUT), "the About box stays open"
    usable(app, x)
    exits(app, x)
    assert running(pid), "the viewer outlives tabrinex"


def test_none_installed(about, display, home):
    """The viewers are there, but not in tabrinex's search path."""
    (home / "empty").mkdir()
    app, _ = about("GNOME", PATH=str(home / "empty"))
    display.keys("alt+s")
    app.window("Kelvaro #1")
    display.keys("Return")
    usable(app, display)
    exits(app, display)
