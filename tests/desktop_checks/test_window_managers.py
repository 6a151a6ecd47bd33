"""tabrinex's windows under the window managers of GNOME (mutter) and KDE
(kwin_x11): stacking as the X server has it, the active window as the window
manager says, placement, minimise, close and modality, with real input."""
import struct
import time

import pytest

from conftest import holds

MENU, GAME, ABOUT, LICENSE, HELP = "Menu Tool", "Mystery Number..... by R. Quillo", "About Kelvaro #1", "License", "Kelvaro #1"
ANTENNA = "Quarter Wave Antenna by R. Quillo"
MIN_MAX = {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"}


@pytest.mark.parametrize("window_manager", ["mutter", "kwin_x11"], indirect=True)
def test_windows(window_manager, display, program):
    x = display

    def front(title):
        return x.stack()[:1] == [title] and x.active() == title

    def state(title):
        return x.state(x.window(title))

    def gone(title):
        return not x.find(title)

    def placed(title):
        """The client stands where the program asked (WM_NORMAL_HINTS), the
        window manager's frame around it with the title bar on top."""
        window = x.window(title)
        hints = struct.unpack("=Iii", struct.pack("=3I", *x.prop(window, "WM_NORMAL_HINTS")[:3]))
        (cx, cy, cw, ch), (fx, fy, fw, fh) = x.place(window)
        return hints[0] & 0b101 and (cx, cy) == hints[1:] and fx <= cx and fy < cy and fx + fw >= cx + cw \
            and fy + fh >= cy + ch

    def no_min_max(title):
        """KWin 5.27 offers minimise (and maximise on a sizable window) unless
        the window has an owner; having none comes first, so under KWin only
        the fixed About box is held to having no maximise."""
        if window_manager != "kwin_x11":
            return not state(title) & MIN_MAX
        return title != ABOUT or not state(title) & (MIN_MAX - {"_NET_WM_ACTION_MINIMIZE"})

    # As in a Wayland desktop with XWayland: no platform named, a Wayland
    # display named that does not answer. tabrinex must choose X11 by itself.
    app = program(QT_QPA_PLATFORM=None, XDG_SESSION_TYPE="wayland", WAYLAND_DISPLAY="kelvaro-no-wayland")
    menu = app.window(MENU)
    holds("the launcher opens on X11 where it asks to be", lambda: placed(MENU))
    holds("the launcher is active", lambda: front(MENU))

    app.menu(menu, "About")
    about = app.window(ABOUT)
    holds("About from the launcher opens in front", lambda: front(ABOUT))
    holds("About stands where it asks to be", lambda: placed(ABOUT))
    holds("About has no minimise (but under KWin) or maximise", lambda: no_min_max(ABOUT))
    holds("About has no owner", lambda: "owned" not in state(ABOUT))
    holds("About asks to stay out of the task bar", lambda: "_NET_WM_STATE_SKIP_TASKBAR" in state(ABOUT))

    # A part of the launcher that About does not cover, right of its buttons.
    left, top, width, height = app.a11y.box(menu)
    free = max(max(b[0] + b[2] for b in map(app.a11y.box, (app.control(menu, "button", n) for n in (
        "Mystery Number Game", "Exit to Windows")))), sum(app.a11y.box(about)[::2]))
    x.click((free + left + width) // 2, top + height // 2)
    holds("clicking the launcher brings it in front of About", lambda: front(MENU))

    app.click(menu, "button", "Mystery Number Game")
    game = app.window(GAME)
    holds("the game opens in front", lambda: front(GAME))
    holds("the game stands where it asks to be", lambda: placed(GAME))
    holds("About stays shown while the game is active", lambda: "normal" in state(ABOUT))

    time.sleep(0.5)  # the game's first tick, which shows nothing to wait on
    app.menu(game, "About")
    holds("About from the game brings the one box forward", lambda: front(ABOUT))
    holds("there is one About box", lambda: len(x.find(ABOUT)) == 1)

    app.click(app.window(ABOUT), "button", "License Agreement")
    holds("License opens in front of About", lambda: front(LICENSE))
    holds("License has no minimise or maximise (not under KWin)", lambda: no_min_max(LICENSE))
    holds("License has no owner", lambda: "owned" not in state(LICENSE))

    x.close(x.window(LICENSE))
    holds("the window manager's close unloads License", lambda: gone(LICENSE))
    x.close(x.window(ABOUT))
    holds("the window manager's close unloads About", lambda: gone(ABOUT))

    x.minimise(x.window(GAME))
    holds("the game minimises", lambda: "iconic" in state(GAME))
    app.click(menu, "button", "Mystery Number Game")
    holds("its launcher button brings the minimised game back in front", lambda: front(GAME))
    holds("the game is no longer minimised", lambda: "normal" in state(GAME))

    app.menu(app.window(GAME), "Help!")
    holds("the help box opens in front", lambda: front(HELP))
    holds("the help box is modal", lambda: "_NET_WM_STATE_MODAL" in state(HELP))
    holds("the help box has no minimise or maximise (not under KWin)", lambda: no_min_max(HELP))
    # The launcher's "Info" menu, which the game leaves uncovered, takes no
    # click. A click that must do nothing has nothing to wait on: a moment for
    # the program to have had it.
    app.click(menu, "menu item", "Info")
    time.sleep(0.5)
    holds("while it is open no other window takes a click", lambda: x.menus_open() == 0)
    holds("the help box stays in front", lambda: x.stack()[:1] == [HELP])
    holds("the help box is active", lambda: front(HELP))
    x.keys("Return")
    holds("OK closes the help box", lambda: gone(HELP))

    x.close(x.window(GAME))
    holds("the window manager's close unloads the game", lambda: gone(GAME))
    assert app.process.alive(), "the program goes on while the launcher is open"
    app.click(menu, "button", "Quarter Wave Antenna ")
    holds("another tool opens from the launcher", lambda: front(ANTENNA))

    x.close(x.window(ANTENNA))
    holds("the antenna closes", lambda: gone(ANTENNA))
    # The window manager hands the focus back a moment after a window goes; a
    # click in that moment may go to the hand-over.
    holds("the launcher is in front again", lambda: front(MENU))
    app.click(menu, "button", "Exit to Windows")
    app.exits()
