"""Random input for tabrinex on a real X display, as an impatient user gives it.

Drives the program with XTEST input through xdotool: the launcher's buttons,
clicks of every kind anywhere in every window, keys, odd texts typed into the
game's guess and the antenna's frequency, the "Info" menus, the About box and
its License window, close boxes and "Exit to Windows", and starts the program
again whenever it ends. After every event the program's accessibility tree
must answer, its windows with all their texts, each call within 5 s; a walk
that meets a window closing under it is made again.

Fails on a sanitizer report, a non-zero exit, the runtime's error report, a
window that does not answer (with every thread's stack, through gdb), or
"inf" or "nan" in any text the program shows.
Every event goes to a log, one JSON object a line; --replay sends the events
of such a log again, in order, instead of random ones.

Needs DISPLAY and a session bus with the accessibility bus on it.
"""

import argparse
import json
import os
import random
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
from Xlib import XK, X, display, protocol  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

ANSWER_SECONDS = 5
TWIPS = 15

# Windows by the start of their title, each with its client area's size and the
# controls worth aiming at, in twips from the *_design.h tables.
WINDOWS = {
    "Menu Tool": ((3660, 3045), {
        "MsyNum": (540, 1620, 2475, 315), "ResDecoder": (540, 660, 2475, 315),
        "QWAnt": (540, 1140, 2475, 315), "Quit": (1020, 2520, 1575, 435)}),
    "Mystery Number": ((8535, 4275), {
        "Start": (480, 840, 1695, 375), "Guess": (3240, 3300, 735, 375), "Quit": (7320, 3720, 1095, 375),
        "CheatM": (6240, 2400, 1335, 255), "PointsPlus": (6240, 1920, 1695, 375),
        "Cheat": (2880, 1980, 1335, 255)}),
    "Resistor De-Coder": ((6270, 5745), {}),
    "Quarter Wave Antenna": ((5970, 2040), {"Text1": (2280, 360, 1455, 405), "Command2": (5040, 1620, 825, 315)}),
    "About ": ((5730, 7725), {
        "cmdOK": (4320, 6540, 1260, 345), "cmdSysInfo": (4320, 7080, 1245, 345),
        "Command1": (2040, 2160, 1695, 375)}),
    "License": ((8985, 4980), {}),
}
MESSAGE_BOX = "Kelvaro #1"
WITH_MENU = ("Menu Tool", "Mystery Number", "Resistor De-Coder", "Quarter Wave Antenna")
TEXT_BOXES = {"Mystery Number": "Guess", "Quarter Wave Antenna": "Text1"}

EDGE_TEXTS = [
    "", "0", "-0", "50", "-1", "32767", "32768", "-32768", "-32769", "65535", "1E308", "1E309", "-1E309",
    "1E-324", "4.9E-324", "1E400", "0.5", "1.5", "2.5", "-2.5", ".", "-", "+", "E", "1E", "1E+", "&H", "&HFFFF",
    "&H7FFF", "&H8000", "&O77777", "&O", "&HZZ", "1.2.3", "  4 2  ", "\t7", "1e5", "12345678", "99999999",
    "inf", "nan", "NaN", "-inf", "Infinity", "0x10", "1,5", "١٢٣", "５０", "½", "😀", "€", "ÄÖÜ", "日本",
    "99999999999999999999", "0.00000001", "-0.0000001", "1E-5", "468", "0.1", "1E15", "1E16",
]
KEYS = ["Return", "Escape", "Tab", "shift+Tab", "space", "BackSpace", "Delete", "Up", "Down", "Left", "Right",
        "Home", "End", "Page_Up", "Page_Down", "alt+i", "alt+s", "F1", "F10", "ctrl+a", "ctrl+c", "ctrl+v",
        "ctrl+z", "alt+F4", "Menu", "a", "1", "9", "minus", "period", "e", "ctrl+w", "ctrl+q", "KP_Enter"]
MODIFIERS = {"ctrl": "Control_L", "alt": "Alt_L", "shift": "Shift_L"}
INF_NAN = re.compile(r"(?<![a-z])(inf|infinity|nan)(?![a-z])", re.IGNORECASE)
SANITIZER = re.compile(r"ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: (Address|Leak|UndefinedBehavior)Sanitizer")


class Failure(Exception):
    pass


class Unanswered(Exception):
    def __init__(self, error, seconds):
        super().__init__(error)
        self.error, self.seconds = error, seconds


def thread_stacks(pid):
    """Every thread's stack of a program that does not answer, for the report."""
    try:
        return subprocess.run(["gdb", "-p", str(pid), "-batch", "-ex", "thread apply all bt 30"],
                              capture_output=True, text=True, timeout=120).stdout
    except (OSError, subprocess.TimeoutExpired) as error:
        return f"(no stacks: {error})"


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=False, timeout=30,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Program:
    """tabrinex, started again whenever it has ended; its output goes to a file."""

    def __init__(self, path, work):
        self.path, self.work, self.process, self.starts = path, work, None, 0

    def start(self):
        self.starts += 1
        self.output = os.path.join(self.work, f"run{self.starts}.log")
        with open(self.output, "wb") as out:
            self.process = subprocess.Popen([self.path], stdout=out, stderr=subprocess.STDOUT)

    def ended(self):
        """None while running; otherwise checks how it ended."""
        if self.process is None or self.process.poll() is None:
            return None
        self.check_output()
        status, self.process = self.process.returncode, None
        if status != 0:
            raise Failure(f"tabrinex ended with status {status}")
        return status

    def check_output(self):
        with open(self.output, errors="replace") as out:
            text = out.read()
        if SANITIZER.search(text):
            raise Failure("sanitizer report:\n" + text[-6000:])

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class Screen:
    """The program's windows as X and the accessibility bus see them."""

    def __init__(self):
        self.x = display.Display()
        self.root = self.x.screen().root
        self.protocols = self.x.intern_atom("WM_PROTOCOLS")
        self.delete = self.x.intern_atom("WM_DELETE_WINDOW")
        self.net_name = self.x.intern_atom("_NET_WM_NAME")
        self.utf8 = self.x.intern_atom("UTF8_STRING")
        Atspi.set_timeout(ANSWER_SECONDS * 1000, ANSWER_SECONDS * 3000)

    def windows(self):
        """Visible top-level windows: (title, id, x, y, width, height)."""
        found = []
        for window in self.root.query_tree().children:
            try:
                if window.get_attributes().map_state != X.IsViewable:
                    continue
                name = window.get_full_property(self.net_name, self.utf8)
                title = name.value.decode("utf-8", "replace") if name else (window.get_wm_name() or "")
                geometry = window.get_geometry()
                if geometry.width <= 1 or not title:
                    continue
                found.append((title, window.id, geometry.x, geometry.y, geometry.width, geometry.height))
            except Exception:  # a window that went away meanwhile
                continue
        return found

    def move(self, x, y):
        xtest.fake_input(self.x, X.MotionNotify, x=x, y=y)
        self.x.sync()

    def button(self, button, down):
        xtest.fake_input(self.x, X.ButtonPress if down else X.ButtonRelease, button)
        self.x.sync()

    def keys(self, *combinations):
        """Presses each combination ("ctrl+a", "Return") in turn, as xdotool key does."""
        for combination in combinations:
            codes = [self.x.keysym_to_keycode(XK.string_to_keysym(MODIFIERS.get(name, name)))
                     for name in combination.split("+")]
            for code in codes:
                xtest.fake_input(self.x, X.KeyPress, code)
            for code in reversed(codes):
                xtest.fake_input(self.x, X.KeyRelease, code)
            self.x.sync()
            time.sleep(0.02)

    def raise_window(self, title):
        window_id = self.find(title)
        if window_id is not None:
            self.x.create_resource_object("window", window_id).configure(stack_mode=X.Above)
            self.x.sync()

    def find(self, title):
        return next((w[1] for w in self.windows() if w[0] == title), None)

    def close(self, title):
        """What a window manager sends when the close box is clicked."""
        window_id = self.find(title)
        if window_id is None:
            return
        window = self.x.create_resource_object("window", window_id)
        event = protocol.event.ClientMessage(window=window, client_type=self.protocols,
                                             data=(32, [self.delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=0)
        self.x.flush()

    def texts(self, pid, depth):
        """The names the program's accessible objects show down to a depth
        (1: its windows). Raises Unanswered when a call fails or times out."""
        # Take in what the bus has sent meanwhile, so nothing old is read.
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        desktop = ask(Atspi.get_desktop, 0)
        for index in range(ask(desktop.get_child_count)):
            application = ask(desktop.get_child_at_index, index)
            if application is not None and ask(application.get_process_id) == pid:
                application.set_cache_mask(Atspi.Cache.NONE)
                shown = []
                self._collect(application, shown, depth)
                return shown
        return []

    def _collect(self, accessible, shown, depth):
        # Labels and message boxes show their texts as their names.
        name = ask(accessible.get_name)
        if name:
            shown.append(name)
        if depth == 0:
            return
        for index in range(ask(accessible.get_child_count)):
            child = ask(accessible.get_child_at_index, index)
            if child is not None:
                self._collect(child, shown, depth - 1)


def ask(call, *arguments):
    """One call on the accessibility bus; its failure, and how long it took, as Unanswered."""
    started = time.monotonic()
    try:
        answer = call(*arguments)
    except GLib.Error as error:
        raise Unanswered(f"{call.__name__}: {error.message}", time.monotonic() - started) from None
    # A child count that failed is -1 rather than an error.
    if call.__name__ == "get_child_count" and answer < 0:
        raise Unanswered("get_child_count failed", time.monotonic() - started)
    return answer


def kind_of(title):
    if title == MESSAGE_BOX:
        return MESSAGE_BOX
    return next((kind for kind in WINDOWS if title.startswith(kind)), None)


def client_origin(kind, window):
    """The top left of the designed client area: the menu bar, where there is one, stands above it."""
    _, _, x, y, _, height = window
    return x, y + height - WINDOWS[kind][0][1] // TWIPS


def centre(kind, window, control):
    left, top, width, height = WINDOWS[kind][1][control]
    x, y = client_origin(kind, window)
    return x + (left + width // 2) // TWIPS, y + (top + height // 2) // TWIPS


class Monkey:
    """Picks events at random (or takes them from a log) and sends them."""

    def __init__(self, screen, program, rng, log):
        self.screen, self.program, self.rng, self.log = screen, program, rng, log
        self.events = 0
        self.names = 0
        self.walks_again = 0

    def choose(self):
        ours = [(kind_of(w[0]), w) for w in self.screen.windows()]
        ours = [(kind, w) for kind, w in ours if kind]
        if not ours:
            return None
        boxes = [w for kind, w in ours if kind == MESSAGE_BOX]
        if boxes:
            return self.answer_box(boxes[-1])
        kind, window = self.rng.choice(ours)
        # Whatever is done to a window, it is brought forward first, as a
        # click on its title bar would.
        return dict(self.choose_for(kind, window), **{"raise": window[0]})

    def choose_for(self, kind, window):
        pick = self.rng.random()
        controls = WINDOWS[kind][1]
        if kind in TEXT_BOXES and pick < 0.25:
            x, y = centre(kind, window, TEXT_BOXES[kind])
            text = self.rng.choice(EDGE_TEXTS) if self.rng.random() < 0.6 else self.random_text()
            return {"do": "type", "x": x, "y": y, "text": text}
        if controls and pick < 0.5:
            x, y = centre(kind, window, self.rng.choice(sorted(controls)))
            return {"do": "click", "x": x, "y": y, "button": 1, "clicks": 1, "hold": 0}
        if kind in WITH_MENU and pick < 0.6:
            _, _, wx, wy, _, _ = window
            return {"do": "menu", "x": wx + 15, "y": wy + 8, "keys": self.rng.choice(
                [["Down", "Return"], ["Down", "Down", "Return"], ["Escape"], ["Down", "Escape"]])}
        if pick < 0.65:
            return {"do": "close", "title": window[0]}
        if pick < 0.8:
            return {"do": "key", "x": window[2] + 2, "y": window[3] + 2, "key": self.rng.choice(KEYS)}
        _, _, wx, wy, width, height = window
        return {"do": "click", "x": wx + self.rng.randrange(width), "y": wy + self.rng.randrange(height),
                "button": self.rng.choice([1, 1, 1, 2, 3]), "clicks": self.rng.choice([1, 1, 2, 3]),
                "hold": self.rng.choice([0, 0, 0, 0.3, 1.2])}

    def answer_box(self, box):
        _, window_id, x, y, width, height = box
        way = self.rng.choice(["Return", "Escape", "space", "click", "close", "KP_Enter", "alt+F4", "a"])
        if way == "close":
            return {"do": "close", "title": MESSAGE_BOX}
        if way == "click":
            # The OK button sits in the bottom right corner of the box.
            return {"do": "click", "x": x + width - 50, "y": y + height - 22, "button": 1, "clicks": 1, "hold": 0}
        return {"do": "key", "x": x + width // 2, "y": y + 5, "key": way}

    def random_text(self):
        alphabet = "0123456789.-+eE&HhOo \t,;xX/*%" + "".join(chr(c) for c in (0x7F, 0xA0, 0xE9, 0x2212, 0x221E))
        length = self.rng.choice([1, 2, 3, 5, 8, 20, 200])
        return "".join(self.rng.choice(alphabet) for _ in range(length))

    def send(self, event):
        self.events += 1
        self.log.write(json.dumps(event, ensure_ascii=False) + "\n")
        self.log.flush()
        do = event["do"]
        screen = self.screen
        if "raise" in event:
            screen.raise_window(event["raise"])
        if do == "start":
            # A replay may come to the start before the last run has quite ended.
            deadline = time.monotonic() + 10
            while self.program.process is not None and self.program.ended() is None and time.monotonic() < deadline:
                time.sleep(0.1)
            self.program.stop()
            self.program.start()
            self.wait_for_launcher()
        elif do == "click":
            screen.move(event["x"], event["y"])
            if event["hold"]:
                screen.button(event["button"], True)
                time.sleep(event["hold"])
                screen.button(event["button"], False)
            else:
                for _ in range(event["clicks"]):
                    screen.button(event["button"], True)
                    screen.button(event["button"], False)
                    time.sleep(0.06)
        elif do == "type":
            screen.move(event["x"], event["y"])
            screen.button(1, True)
            screen.button(1, False)
            screen.keys("ctrl+a", "BackSpace")
            if event["text"]:
                # xdotool finds a key for every character, beyond the keyboard's own.
                xdotool("type", "--delay", 8, "--", event["text"])
            screen.keys("Return")
        elif do == "key":
            screen.move(event["x"], event["y"])
            screen.keys(event["key"])
        elif do == "menu":
            screen.move(event["x"], event["y"])
            screen.button(1, True)
            screen.button(1, False)
            time.sleep(0.2)
            screen.keys(*event["keys"])
        elif do == "close":
            screen.close(event["title"])
        elif do == "wait":
            time.sleep(0.2)
        time.sleep(0.05)

    def wait_for_launcher(self):
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            if any(kind_of(w[0]) == "Menu Tool" for w in self.screen.windows()):
                time.sleep(0.3)
                return
            if self.program.ended() is not None:
                return
            time.sleep(0.1)
        raise Failure("the launcher did not appear within 60 s")

    def texts(self, depth):
        """The program's texts, or None once it has ended. A window that closes
        while it is walked answers with errors at once, so a quick failure is
        tried again; a call that times out, or failures that go on, fail."""
        for attempt in range(6):
            try:
                return self.screen.texts(self.program.process.pid, depth)
            except Unanswered as unanswered:
                if self.program.ended() is not None:
                    return None
                if unanswered.seconds < ANSWER_SECONDS and attempt < 5:
                    self.walks_again += 1
                    self.log.write(json.dumps({"walked again": unanswered.error}) + "\n")
                    time.sleep(0.5)
                    continue
                stacks = thread_stacks(self.program.process.pid)
                with open(os.path.join(self.program.work, "stacks.txt"), "w") as out:
                    out.write(stacks)
                raise Failure(f"the accessibility tree did not answer ({unanswered.error}, after "
                              f"{unanswered.seconds:.1f} s, try {attempt + 1}); the program's threads:\n"
                              f"{stacks[-8000:]}") from None

    def check(self, event):
        """After every event: the program still answers and shows nothing wrong."""
        if self.program.ended() is not None:
            return
        self.program.check_output()
        # The accessibility tree is read on the program's one thread: a window
        # that does not answer stops it as well.
        # A full look at every text after typed input, at a message box and
        # now and then; otherwise only the windows.
        everything = event["do"] == "type" or self.events % 8 == 0 or any(
            kind_of(w[0]) == MESSAGE_BOX for w in self.screen.windows())
        texts = self.texts(12 if everything else 1)
        if texts is None:
            return
        self.names += len(texts)
        for text in texts:
            if text.startswith("Run-time error"):
                raise Failure("the error report appeared: " + text)
            if INF_NAN.search(text):
                raise Failure(f"a text shows inf or nan: {text!r}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("--seconds", type=float, default=180)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--log", required=True, help="where the events go; with --replay, where they come from")
    parser.add_argument("--replay", action="store_true")
    parser.add_argument("--work", default=".")
    args = parser.parse_args()

    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(2**31)
    program = Program(args.program, args.work)
    screen = Screen()
    replayed = None
    if args.replay:
        with open(args.log, encoding="utf-8") as log:
            replayed = [json.loads(line) for line in log if line.strip()]
        log = open(os.devnull, "w")
        print(f"monkey: replaying {len(replayed)} events of {args.log}", flush=True)
    else:
        log = open(args.log, "w", encoding="utf-8")
        log.write(json.dumps({"seed": seed}) + "\n")
        print(f"monkey: seed {seed}, {args.seconds:.0f} s, events logged to {args.log}", flush=True)
    monkey = Monkey(screen, program, random.Random(seed), log)
    end = time.monotonic() + args.seconds
    try:
        while replayed is not None and replayed or replayed is None and time.monotonic() < end:
            if replayed is not None:
                event = replayed.pop(0)
                if "do" not in event:
                    continue
            elif program.process is None:
                event = {"do": "start"}
            else:
                event = monkey.choose() or {"do": "wait"}
            monkey.send(event)
            monkey.check(event)
    except Failure as failure:
        print(f"monkey: FAILED after {monkey.events} events, {program.starts} starts: {failure}", flush=True)
        print(f"monkey: the last events are at the end of {args.log}; repeat them with --replay", flush=True)
        program.stop()
        return 1
    program.stop()
    print(f"monkey: passed, {monkey.events} events, {program.starts} starts of tabrinex, "
          f"{monkey.names} accessible names read, {monkey.walks_again} walks made again", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
