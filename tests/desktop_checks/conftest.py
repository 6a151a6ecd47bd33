"""What every real-desktop check stands on, written once: a private X display,
the session bus, the accessibility bus, a stand-in system bus, a private home,
a window manager, a sound server, Orca and tabrinex itself. Each fixture stops
what it started, by the pid it got, in reverse order, whatever the test did.

A test waits on a state with a deadline (`wait_for`), finds controls in the
accessibility tree and drives them with real X input (XTEST). When it fails,
build/desktop-checks/TEST/ keeps the program's output, every log and a
screenshot, and the failure names them."""
import json
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import zlib
from pathlib import Path

import pytest
from _pytest.reports import TestReport
from _pytest.runner import runtestprotocol
from Xlib import X, XK, Xatom, display as xdisplay, error as xerror
from Xlib.ext import xtest
from Xlib.protocol import event as xevent

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("KELVARO_BUILD", ROOT / "build"))
PROGRAM = BUILD / "shell" / "tabrinex"
RELEASE = int(re.search(r'^VERSION_ID="?(\d+)', Path("/etc/os-release").read_text(), re.M)[1])


def wait_for(what, condition, timeout=10):
    """Polls `condition` until it gives something true, which it returns; fails
    naming `what` after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"not within {timeout} s: {what}")
        time.sleep(0.05)


def holds(what, condition, timeout=10):
    """Asserts that `condition` becomes true within the deadline."""
    wait_for(what, condition, timeout)


class Process:
    """A process a fixture started, its output in a log; ended by its pid."""

    def __init__(self, argv, log, env=None, group=False, **options):
        with open(log, "ab") as out:
            self.popen = subprocess.Popen(argv, **{"stdout": out, **options}, stderr=out, env=env,
                                          start_new_session=group)
        self.pid, self.log = self.popen.pid, log

    def alive(self):
        return self.popen.poll() is None

    def end(self, sig=signal.SIGTERM):
        """`sig`, up to 5 s for the process to go, then SIGKILL."""
        if self.alive():
            self.popen.send_signal(sig)
            try:
                self.popen.wait(5)
            except subprocess.TimeoutExpired:
                self.popen.kill()
                self.popen.wait()
        return self.popen.returncode


def proc_stat(pid):
    """The fields of /proc/PID/stat after the command: state, parent, group, session..."""
    return Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()


def running(pid):
    """A zombie counts as gone: it holds no windows, and an init that does not reap may keep it."""
    try:
        return proc_stat(pid)[0] != "Z"
    except (OSError, IndexError):
        return False


def children_of(pid):
    """The pids whose parent is `pid`: what a bus started for its clients."""
    found = []
    for entry in Path("/proc").iterdir():
        try:
            if entry.name.isdigit() and int(proc_stat(entry.name)[1]) == pid:
                found.append(int(entry.name))
        except (OSError, IndexError):
            pass
    return found


def end_pid(pid, group=False):
    """Ends a process (or the group it leads) that this check's session
    started but not this check: SIGTERM, up to 5 s, then SIGKILL."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(pid, sig) if group else os.kill(pid, sig)
            wait_for(f"process {pid} gone", lambda: not running(pid), 5)
            return
        except ProcessLookupError:
            return
        except AssertionError:
            pass


class Screen:
    """The test's one X connection: windows, their properties, input and screenshots."""

    MODIFIERS = {"alt": "Alt_L", "ctrl": "Control_L", "shift": "Shift_L"}
    CHARACTERS = {".": "period", " ": "space"}

    def __init__(self, name):
        self.d = xdisplay.Display(name)
        self.d.set_error_handler(lambda *_: None)  # a window gone meanwhile is no fault
        self.root = self.d.screen().root

    def atom(self, name):
        return self.d.intern_atom(name)

    def prop(self, window, name, kind=X.AnyPropertyType):
        try:
            found = window.get_full_property(self.atom(name), kind)
        except xerror.XError:
            return None
        return found.value if found else None

    def title(self, window):
        value = self.prop(window, "_NET_WM_NAME") or self.prop(window, "WM_NAME")
        return value.decode(errors="replace") if isinstance(value, bytes) else value

    def viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except xerror.XError:
            return False

    def tree(self, top=None):
        todo = [top or self.root]
        while todo:
            window = todo.pop()
            yield window
            try:
                todo.extend(window.query_tree().children)
            except xerror.XError:
                pass

    def ours(self, window):
        return self.prop(window, "WM_CLASS") == b"tabrinex\0tabrinex\0"

    def find(self, title, prefix=False):
        """tabrinex's client windows of that title (or one that starts so), shown or minimised."""
        return [w for w in self.tree() if self.ours(w) and (self.title(w) or "")[:len(title) if prefix else None] == title
                and (self.prop(w, "WM_STATE") is not None or self.viewable(w))]

    def window(self, title, timeout=10, prefix=False):
        return wait_for(f"a window {title!r}", lambda: (self.find(title, prefix) or [None])[0], timeout)

    def client_of(self, frame):
        for window in self.tree(frame):
            if self.prop(window, "WM_STATE") is not None:
                return window
        return frame

    def stack(self):
        """Our viewable windows' titles, topmost first, as the X server stacks them."""
        try:
            frames = self.root.query_tree().children
        except xerror.XError:
            return []
        clients = [self.client_of(f) for f in reversed(frames) if self.viewable(f)]
        return [self.title(c) for c in clients if self.ours(c)]

    def active(self):
        window = self.prop(self.root, "_NET_ACTIVE_WINDOW", Xatom.WINDOW)
        return self.title(self.d.create_resource_object("window", window[0])) if window and window[0] else None

    def menus_open(self):
        def menu(window):
            try:
                return window.get_attributes().override_redirect and self.viewable(window) and self.ours(window)
            except xerror.XError:
                return False
        return sum(1 for w in self.root.query_tree().children if menu(w))

    def place(self, window):
        """The client's left, top, width and height on the screen, then its frame's."""
        geometry = window.get_geometry()
        origin = window.translate_coords(self.root, 0, 0)
        frame = window
        while frame.query_tree().parent.id != self.root.id:
            frame = frame.query_tree().parent
        f = frame.get_geometry()
        return (-origin.x, -origin.y, geometry.width, geometry.height), (f.x, f.y, f.width, f.height)

    def state(self, window):
        """WM_STATE (normal, iconic, withdrawn), _NET_WM_STATE and _NET_WM_ALLOWED_ACTIONS, and the owner."""
        wm_state = self.prop(window, "WM_STATE")
        words = {{1: "normal", 3: "iconic"}.get(wm_state[0], "withdrawn") if wm_state is not None else "withdrawn"}
        for name in ("_NET_WM_STATE", "_NET_WM_ALLOWED_ACTIONS"):
            words.update(self.d.get_atom_name(a) for a in self.prop(window, name, Xatom.ATOM) or [])
        owner = self.prop(window, "WM_TRANSIENT_FOR", Xatom.WINDOW)
        if owner is not None and owner[0]:
            words.add("owned")
        return words

    def close(self, window):
        """What a window manager's close box does (_NET_CLOSE_WINDOW)."""
        message = xevent.ClientMessage(window=window, client_type=self.atom("_NET_CLOSE_WINDOW"),
                                       data=(32, [X.CurrentTime, 2, 0, 0, 0]))
        self.root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        self.d.sync()

    def raise_(self, title):
        """Our window of that title over the others, as a click on it would
        bring it where no window manager runs; again while another program
        still raises its own new window over it."""
        window = self.window(title)

        def on_top():
            window.configure(stack_mode=X.Above)
            self.d.sync()
            return [w.id for w in self.root.query_tree().children if self.viewable(w)][-1] == window.id
        holds(f"{title!r} stands over every other window", on_top)

    def focus(self, title):
        """The keyboard to our window of that title, where no window manager gives it."""
        self.window(title).set_input_focus(X.RevertToParent, X.CurrentTime)
        self.d.sync()

    def minimise(self, window):
        message = xevent.ClientMessage(window=window, client_type=self.atom("WM_CHANGE_STATE"), data=(32, [3, 0, 0, 0, 0]))
        self.root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        self.d.sync()

    def keys(self, *combos, pace=0.06, held=None):
        """Presses keys as a person types them: "Tab", "alt+F4", "ctrl+a".
        `held(combo)`, if given, returns once whoever listens has taken the
        combination, which stays down until then."""
        for combo in combos:
            codes = [self.d.keysym_to_keycode(XK.string_to_keysym(self.MODIFIERS.get(n, n))) for n in combo.split("+")]
            # Modifiers down a tenth of a second before the key, and the key
            # held for a moment, as fingers do: a screen reader that sees key
            # events before the program may pass them on out of order, or
            # miss a modifier, when they come at once.
            for code in codes:
                xtest.fake_input(self.d, X.KeyPress, code)
                self.d.sync()
                time.sleep(0.1 if code != codes[-1] else pace / 2)
            if held:
                held(combo)
            for code in reversed(codes):
                xtest.fake_input(self.d, X.KeyRelease, code)
            self.d.sync()
            time.sleep(pace / 2)

    def type(self, text):
        self.keys(*(self.CHARACTERS.get(c, c) for c in text))

    def point(self, x, y):
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()

    def click(self, x, y, pace=0.06):
        """A click as a hand makes one: the pointer there first, the button held a moment."""
        self.point(x, y)
        time.sleep(pace / 2)
        xtest.fake_input(self.d, X.ButtonPress, 1)
        self.d.sync()
        time.sleep(pace / 2)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.sync()

    def shot(self):
        """The whole screen as rows of RGB bytes, with its width and height."""
        g = self.root.get_geometry()
        data = self.root.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF).data  # BGRX
        rgb = bytearray(len(data) // 4 * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = data[2::4], data[1::4], data[0::4]
        return bytes(rgb), g.width, g.height

    def save(self, path, shot=None):
        rgb, width, height = shot or self.shot()
        rows = b"".join(b"\0" + rgb[y * width * 3:(y + 1) * width * 3] for y in range(height))

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                               + chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))
        return path


class Accessibility:
    """The test's one connection to the accessibility bus."""

    def __init__(self, screen):
        import pyatspi
        self.pyatspi, self.screen = pyatspi, screen

    def applications(self, pid):
        """What the process put on the bus: Qt's tree, and GTK's too where a
        GTK platform theme brought GTK's bridge into the process."""
        found = []
        for app in self.pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid:
                    found.append(app)
            except Exception:
                pass
        return found

    def has(self, node, *states):
        """Whether the node is in every state named: "showing", "active"..."""
        try:
            got = node.getState()
            return all(got.contains(getattr(self.pyatspi, "STATE_" + s.upper())) for s in states)
        except Exception:
            return False

    def showing(self, node):
        return self.has(node, "showing", "visible")

    @staticmethod
    def role(node):
        # AT-SPI 2.46 says "push button", later ones "button".
        role = node.getRoleName()
        return "button" if role == "push button" else role

    def walk(self, node):
        for child in node:
            if child is not None:
                yield child
                yield from self.walk(child)

    def window(self, pid, title, timeout=10):
        """The program's shown top-level window whose name starts with `title`."""
        def find():
            return next((w for app in self.applications(pid) for w in app if w is not None
                         and w.name.startswith(title) and self.showing(w)), None)
        return wait_for(f"a window {title!r} in the accessibility tree", find, timeout)

    def find(self, root, role, name=None, timeout=10):
        """The first showing control of that role (and name, or one of the
        names in a tuple) under `root`."""
        names = name if isinstance(name, tuple) else (name,)
        def look():
            try:
                return next((n for n in self.walk(root) if self.role(n) == role
                             and (name is None or n.name in names) and self.showing(n)), None)
            except Exception:  # a node gone while walking: look again
                return None
        return wait_for(f"a {role} {name!r} in {root.name!r}", look, timeout)

    def box(self, node):
        e = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def click(self, node):
        """A real click where the tree says the control is."""
        x, y, w, h = self.box(node)
        self.screen.click(x + w // 2, y + h // 2)

    def press(self, node):
        node.queryAction().doAction(0)


# Each test in a process of its own: libatspi keeps the first accessibility
# bus it connects to for the life of the process, and each test has its own.
@pytest.hookimpl(tryfirst=True)
def pytest_runtest_protocol(item, nextitem):
    item.ihook.pytest_runtest_logstart(nodeid=item.nodeid, location=item.location)
    read, write = os.pipe()
    pid = os.fork()
    if pid == 0:
        os.close(read)
        reports = runtestprotocol(item, nextitem=None, log=False)
        with os.fdopen(write, "w") as out:
            json.dump([item.config.hook.pytest_report_to_serializable(config=item.config, report=r)
                       for r in reports], out)
        os._exit(0)
    os.close(write)
    with os.fdopen(read) as answer:
        reports = json.loads(answer.read() or "[]")
    status = os.waitpid(pid, 0)[1]
    for data in reports:
        item.ihook.pytest_runtest_logreport(report=item.config.hook.pytest_report_from_serializable(
            config=item.config, data=data))
    if not reports:
        item.ihook.pytest_runtest_logreport(report=TestReport(
            item.nodeid, item.location, {}, "failed", f"the test's process ended with status {status}", "call", []))
    item.ihook.pytest_runtest_logfinish(nodeid=item.nodeid, location=item.location)
    return True


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    """On a failure: a screenshot, and the paths of the evidence in the report."""
    report = (yield).get_result()
    evidence = item.funcargs.get("evidence") if hasattr(item, "funcargs") else None
    if report.failed and evidence:
        screen = item.funcargs.get("display")
        if screen is not None:
            try:
                screen.save(evidence / f"screenshot-{call.when}.png")
            except Exception as problem:  # the display itself may be what failed
                (evidence / "screenshot-failed.txt").write_text(str(problem))
        report.sections.append(("evidence", "\n".join(str(p) for p in sorted(evidence.iterdir()))))


@pytest.fixture
def evidence(request):
    """build/desktop-checks/TEST: the logs and screenshots of this test's last run."""
    folder = BUILD / "desktop-checks" / re.sub(r"[^\w.-]+", "-", request.node.name).strip("-")
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    return folder


@pytest.fixture
def home(monkeypatch):
    """A private home, XDG folders and runtime folder, removed afterwards."""
    work = Path(tempfile.mkdtemp(prefix="kelvaro-"))
    for variable, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "home/.config"), ("XDG_DATA_HOME", "home/.local/share"),
                          ("XDG_CACHE_HOME", "home/.cache"), ("XDG_RUNTIME_DIR", "runtime")):
        (work / sub).mkdir(parents=True, mode=0o700, exist_ok=True)
        monkeypatch.setenv(variable, str(work / sub))
    for variable in ("QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "GTK_THEME", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP",
                     "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "PULSE_SERVER"):
        monkeypatch.delenv(variable, raising=False)
    monkeypatch.setenv("LC_ALL", "C.UTF-8")
    monkeypatch.setenv("SDL_AUDIODRIVER", "dummy")  # no sound card, unless a sound server is asked for
    yield work
    shutil.rmtree(work, ignore_errors=True)


@pytest.fixture
def display(request, home, evidence, monkeypatch):
    """A private Xvfb, 1280x1024 unless the test is marked screen("WxH").
    Without -noreset it starts afresh whenever its last client leaves and
    refuses the clients that come meanwhile."""
    marker = request.node.get_closest_marker("screen")
    read, write = os.pipe()
    xvfb = Process(["Xvfb", "-displayfd", str(write), "-screen", "0", f"{marker.args[0] if marker else '1280x1024'}x24",
                    "-nolisten", "tcp", "-noreset"], evidence / "xvfb.log", pass_fds=(write,))
    os.close(write)
    # Xvfb writes the number, then a newline: the pipe stays open until both came.
    number = b""
    while not number.endswith(b"\n") and select.select([read], [], [], 30)[0]:
        chunk = os.read(read, 64)
        if not chunk:
            break
        number += chunk
    number = number.decode().strip()
    os.close(read)
    if not number:
        xvfb.end()
        pytest.fail("Xvfb did not start")
    monkeypatch.setenv("DISPLAY", f":{number}")
    monkeypatch.setenv("QT_QPA_PLATFORM", "xcb")
    screen = Screen(f":{number}")
    yield screen
    screen.d.close()
    xvfb.end()


def start_bus(log, *arguments):
    bus = Process(["dbus-daemon", "--nofork", "--print-address=1", *arguments], log, stdout=subprocess.PIPE)
    address = bus.popen.stdout.readline().decode().strip()
    return bus, address


def stop_bus(bus):
    """The bus, and first what it started for its clients."""
    for pid in children_of(bus.pid):
        end_pid(pid)
    bus.end()


@pytest.fixture
def session_bus(display, evidence, monkeypatch):
    bus, address = start_bus(evidence / "session-bus.log", "--session")
    monkeypatch.setenv("DBUS_SESSION_BUS_ADDRESS", address)
    yield address
    stop_bus(bus)


@pytest.fixture
def system_bus(session_bus, evidence, monkeypatch):
    """A bus of our own standing in for the system bus, which GNOME Settings needs."""
    bus, address = start_bus(evidence / "system-bus.log", "--session")
    monkeypatch.setenv("DBUS_SYSTEM_BUS_ADDRESS", address)
    yield address
    stop_bus(bus)


@pytest.fixture
def a11y(display, session_bus, monkeypatch):
    """The accessibility bus, started by the session bus as on a desktop; its
    address goes to this test's connection and to Orca (not to tabrinex)."""
    reply = subprocess.run(["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus", "/org/a11y/bus",
                            "org.a11y.Bus.GetAddress"], capture_output=True, text=True, timeout=30, check=True)
    monkeypatch.setenv("AT_SPI_BUS_ADDRESS", reply.stdout.strip())
    monkeypatch.setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1")
    return Accessibility(display)


@pytest.fixture
def window_manager(request, display, session_bus, evidence):
    """The window manager named by the test's parameter, ready once it says
    which actions it supports."""
    command = {"mutter": ["mutter", "--x11", "--replace", "--sm-disable"], "kwin_x11": ["kwin_x11", "--replace"]}
    manager = Process(command[request.param], evidence / f"{request.param}.log")
    holds(f"{request.param} manages the display", lambda: display.prop(display.root, "_NET_SUPPORTING_WM_CHECK")
          and display.atom("_NET_ACTIVE_WINDOW") in (display.prop(display.root, "_NET_SUPPORTED") or []), 30)
    yield request.param
    manager.end()


class Program:
    """tabrinex, started with the environment given; its output in program.log."""

    def __init__(self, screen, a11y, log, env):
        self.screen, self.a11y = screen, a11y
        self.process = Process([str(PROGRAM)], log, env=env)
        self.pid, self.seen = self.process.pid, {}

    def window(self, title, timeout=10):
        return self.a11y.window(self.pid, title, timeout)

    def control(self, window, role, name=None, timeout=10):
        return self.a11y.find(window, role, name, timeout)

    def placed(self, window):
        """Waits until Qt knows where its window stands, as the X server has
        it: a window manager moves a new window after it is mapped, and the
        tree's places hold only then. mutter 48 lets a click made within some
        0.3 s of a window's mapping open no menu, and shows nothing to wait
        on: a new window gets a person's moment before its first click."""
        holds(f"{window.name!r} stands where the tree says", lambda: tuple(self.a11y.box(window))
              == self.screen.place(self.screen.window(window.name))[0])
        first = self.seen.setdefault((window.name, self.screen.window(window.name).id), time.monotonic())
        time.sleep(max(0.0, first + 0.5 - time.monotonic()))

    def click(self, window, role, name=None):
        self.placed(window)
        self.a11y.click(self.control(window, role, name))

    def menu(self, window, item):
        """An item of a window's "Info" menu, clicked."""
        self.click(window, "menu item", "Info")
        self.a11y.click(wait_for(f"the menu item {item!r}", lambda: next(
            (n for n in self.a11y.walk(self.a11y.find(window, "popup menu")) if n.name == item
             and self.a11y.showing(n)), None)))

    def exits(self, timeout=10):
        """Waits for the program to end; its exit status."""
        holds("tabrinex ends", lambda: not self.process.alive(), timeout)
        return self.process.popen.returncode


@pytest.fixture
def program(display, a11y, evidence):
    """Starts tabrinex (again and again if need be): program(VARIABLE=value,
    VARIABLE=None to unset). Ends every one still running afterwards."""
    started = []

    def start(**changes):
        # Given AT_SPI_BUS_ADDRESS, Qt 6.4 never shows on that bus; it finds
        # the bus through the session bus, as on a desktop.
        env = dict(os.environ, AT_SPI_BUS_ADDRESS="")
        for variable, value in changes.items():
            if value is None:
                env.pop(variable, None)
            else:
                env[variable] = value
        started.append(Program(display, a11y, evidence / "program.log", env))
        return started[-1]
    yield start
    for one in reversed(started):
        one.process.end()


# Orca's own start, less its look for other Orcas of this user (those serve
# other sessions) and less the process name "orca", so that no other
# session's "orca --replace" takes ours for its own. Without a sound card the
# speech server's synthesis stalls Orca; Orca logs every utterance before it
# hands it over, so it runs without one. Orca 43 logs what it would say with
# speech off; Orca 48 then says nothing at all, so there speech is on and no
# speech server is named.
ORCA = """
import sys
from orca import debug
debug.debugLevel = debug.LEVEL_INFO
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(sys.argv[1], "w", buffering=1)
from orca import orca, settings_manager
if hasattr(settings_manager, "get_manager"):  # Orca 48
    manager = settings_manager.get_manager()
    prefs_dir = manager.get_prefs_dir
    speech = {"enableSpeech": True, "speechServerFactory": ""}
else:  # Orca 43
    manager = orca.getSettingsManager()
    prefs_dir = manager.getPrefsDir
    speech = {"enableSpeech": False}
manager.activate(sys.argv[2], speech)
sys.path.insert(0, prefs_dir())
sys.exit(orca.main())
"""


class Speech:
    """What Orca spoke: the "SPEECH OUTPUT" lines of its debug log, which it
    writes for every utterance, with or without a speech synthesizer; and the
    keys it took, from the same log."""

    KEY = re.compile(rb"keyval_name=[(']([^)']*)")  # Orca 43 "(Home)", Orca 48 "'Home'"

    def __init__(self, log):
        self.log, self.spoken, self.read, self.partial, self.pressed = log, [], 0, b"", []
        self.mark()

    def lines(self):
        """Every utterance so far; the log, megabytes long, is read on from where the last look stopped."""
        with open(self.log, "rb") as log:
            log.seek(self.read)
            new = log.read()
        self.read += len(new)
        *complete, self.partial = (self.partial + new).split(b"\n")
        self.spoken += [line.decode(errors="replace") for line in complete if b"SPEECH OUTPUT: '" in line]
        self.pressed += [key.decode() for line in complete for key in self.KEY.findall(line)]
        return self.spoken

    def taken(self, combo):
        """Waits until Orca has taken the combination's key since the mark. A
        modifier let go before then, on a busy machine, can turn Ctrl+Home
        into Home for Orca, which then reads one letter, not the line."""
        key = {"shift+Tab": "ISO_Left_Tab"}.get(combo, combo.split("+")[-1])
        holds(f"Orca takes {combo}", lambda: self.lines() is not None and key in self.pressed[self.keys_start:])

    def mark(self):
        """What is spoken, and the keys taken, from now on are what counts."""
        self.start, self.keys_start = len(self.lines()), len(self.pressed)

    def since(self):
        return self.lines()[self.start:]

    def said(self, pattern, timeout=10):
        try:
            return wait_for(f"Orca says /{pattern}/", lambda: any(re.search(pattern, l) for l in self.since()), timeout)
        except AssertionError:
            return False

    def says(self, what, pattern, timeout=10):
        assert self.said(pattern, timeout), f"{what}: nothing spoken like /{pattern}/; Orca spoke: " + \
            " | ".join(re.sub(r".*SPEECH OUTPUT: '(.*?)'.*", r"\1", l)[:100] for l in self.lines()[-12:])


@pytest.fixture
def orca(display, a11y, home, evidence):
    log = evidence / "orca.log"
    (home / "orca").mkdir()
    process = Process(["/usr/bin/python3", "-c", ORCA, str(log), str(home / "orca")], evidence / "orca.out")
    # Ready once it says that it is running (Orca 43, Orca 48).
    holds("Orca starts", lambda: log.exists() and re.search(
        "ORCA: Starting (registry|Atspi main event loop)", log.read_text(errors="replace")), 30)
    yield Speech(log)
    # Orca handles SIGTERM in Python, which runs only when some event wakes its
    # main loop; with the program gone none may come, and then SIGKILL ends it.
    process.end()


# As on a desktop, where RTKit gives them real-time scheduling, the sound
# servers (and the recorder standing in for a sound card) run at a real-time
# priority: a busy machine then delays a program's cues, not the server's clock.
REAL_TIME = ["chrt", "--rr", "20"]


class SoundServer:
    """A private PulseAudio, or PipeWire behind pipewire-pulse with
    wireplumber, with a null sink, kelvaro_sink, made the default, whose
    monitor can be recorded."""

    def __init__(self, kind, runtime, log):
        self.kind, self.runtime, self.log, self.processes = kind, runtime, log, []

    def pactl(self, *arguments):
        return subprocess.run(["pactl", *arguments], capture_output=True, timeout=10).returncode == 0

    def start(self):
        if self.kind == "pulseaudio":
            (self.runtime / "server.pa").write_text("load-module module-native-protocol-unix\n")
            self.processes = [Process([*REAL_TIME, "pulseaudio", "-n", "-F", str(self.runtime / "server.pa"), "--daemonize=no",
                                       "--exit-idle-time=-1", "--use-pid-file=no"], self.log)]
        else:
            # The session manager and the PulseAudio front end give up when
            # PipeWire does not answer yet, so they start once its socket is
            # there; a killed PipeWire leaves its old one behind.
            for name in ("pipewire-0", "pipewire-0.lock"):
                (self.runtime / name).unlink(missing_ok=True)
            self.processes = [Process([*REAL_TIME, "pipewire"], self.log)]
            try:
                wait_for("PipeWire's socket", (self.runtime / "pipewire-0").is_socket)
            except AssertionError:
                self.kill()
                pytest.skip(f"PipeWire does not start here: {self.log.read_text()[-300:]}")
            self.processes += [Process([*REAL_TIME, "wireplumber"], self.log),
                               Process([*REAL_TIME, "pipewire-pulse"], self.log)]
        holds(f"{self.kind} answers", lambda: self.pactl("info"))
        # Without rewinds the sink never renders a stretch twice, so its
        # monitor's recording keeps the wall clock's time. pipewire-pulse may
        # answer before PipeWire can make the sink or name a default ("Not
        # supported"), so each step is tried again for a while.
        holds("the null sink is made", lambda: self.pactl("load-module", "module-null-sink", "sink_name=kelvaro_sink",
                                                          "norewinds=1"))
        holds("the null sink is the default", lambda: self.pactl("set-default-sink", "kelvaro_sink"))

    def kill(self):
        """Gone at once, as after a crash: no goodbye to the clients."""
        for process in self.processes:
            process.end(signal.SIGKILL)
        self.processes = []

    def signal(self, sig):
        for process in self.processes:
            process.popen.send_signal(sig)


@pytest.fixture
def sound_server(request, session_bus, home, evidence, monkeypatch):
    """The server named by the test's parameter, for clients that use only
    it: none named elsewhere, and none started by a client that finds none."""
    runtime = home / "runtime"
    (runtime / "client.conf").write_text("autospawn = no\n")
    monkeypatch.setenv("PULSE_CLIENTCONFIG", str(runtime / "client.conf"))
    monkeypatch.delenv("SDL_AUDIODRIVER")
    server = SoundServer(request.param, runtime, evidence / f"{request.param}.log")
    server.start()
    yield server
    server.signal(signal.SIGCONT)
    for process in reversed(server.processes):
        process.end()
