#!/usr/bin/python3
"""Every text of tabrinex's windows, measured from screenshots, for scripts/theme-test.sh.

  theme_probe.py measure OUT.json SHOTS
      With tabrinex running on $DISPLAY (no window manager) and on the
      accessibility bus: opens every window through the launcher, in states
      that show its texts (a game round with a guess and both cheat aids, an
      antenna result, the About box and its terms, the "Info" menu, the help
      message box), places the windows side by side, finds each text's control
      in the accessibility tree and measures the contrast of its text against
      its background from a screenshot (WCAG relative luminance). Writes the
      figures to OUT.json and the screenshots to the folder SHOTS.
  theme_probe.py compare DEFAULT.json THEME.json
      Each text under the theme must reach 4.5:1, or its contrast in the
      default theme where that is lower; a text measured there must be found
      again. Prints the lowest figure per window; exits 1 on a failure.
"""
import collections
import json
import os
import struct
import subprocess
import sys
import time
import zlib

MINIMUM = 4.5
# Anti-aliasing differs by a shade between runs.
TOLERANCE = 0.05
# Roles whose name is the text they show.
TEXT_ROLES = {"label", "static", "button", "check box", "radio button", "menu", "menu item", "text"}
# Where windows stand, side by side, so none is ever covered: title, left, top.
SLOTS = [
    ("Menu Tool", 10, 10),
    ("Mystery Number", 270, 10),
    ("Resistor De-Coder", 860, 10),
    ("Quarter Wave Antenna", 1300, 10),
    ("About Kelvaro #1", 10, 430),
    ("License", 420, 430),
]


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


class Screen:
    """The X display's root window, read as RGB pixels."""

    def __init__(self):
        from Xlib import X, display

        self.X = X
        self.display = display.Display()
        self.root = self.display.screen().root

    def shot(self):
        geometry = self.root.get_geometry()
        self.width, self.height = geometry.width, geometry.height
        image = self.root.get_image(0, 0, self.width, self.height, self.X.ZPixmap, 0xFFFFFFFF)
        self.pixels = image.data  # BGRX, 4 bytes a pixel

    def pixel(self, x, y):
        i = (y * self.width + x) * 4
        b, g, r = self.pixels[i], self.pixels[i + 1], self.pixels[i + 2]
        return r, g, b

    def save(self, path):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            line = self.pixels[y * self.width * 4 : (y + 1) * self.width * 4]
            for x in range(0, len(line), 4):
                rows += bytes((line[x + 2], line[x + 1], line[x]))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 6))
                      + chunk(b"IEND", b""))

    def place(self, title, left, top):
        """Moves our top-level window whose title starts with `title`, once it is mapped."""
        for tries in range(50):
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + title],
                                   capture_output=True, text=True).stdout.split()
            if found:
                break
            time.sleep(0.1)
        for window in found:
            xdo("windowmove", "--sync", window, str(left), str(top))

    def measure(self, box, role):
        """Contrast of the text in a box: its most common colour is the
        background, the text is the colour that stands out most from it."""
        x, y, w, h = box
        inset = 3 if role in ("button", "text") else 2
        left = x + inset + (18 if role in ("check box", "radio button") else 0)
        right, bottom = x + w - inset, y + h - inset
        top = y + inset
        counts = collections.Counter(
            self.pixel(px, py)
            for py in range(max(top, 0), min(bottom, self.height))
            for px in range(max(left, 0), min(right, self.width)))
        if len(counts) < 2:
            return None
        background = counts.most_common(1)[0][0]
        candidates = [colour for colour, n in counts.items() if n >= 3 and colour != background]
        if not candidates:
            return None
        text = max(candidates, key=lambda colour: contrast(colour, background))
        return contrast(text, background), "#%02X%02X%02X" % text, "#%02X%02X%02X" % background


def xdo(*args):
    subprocess.run(["xdotool", *args], check=True)


def click(extents):
    x, y, w, h = extents
    xdo("mousemove", "--sync", str(x + w // 2), str(y + h // 2))
    xdo("click", "1")


class Tree:
    def __init__(self):
        import pyatspi

        self.pyatspi = pyatspi

    def application(self):
        for tries in range(100):
            for app in self.pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == "tabrinex":
                    return app
            time.sleep(0.1)
        raise SystemExit("tabrinex is not on the accessibility bus")

    def window(self, title, wait=10):
        for tries in range(wait * 10):
            for window in self.application():
                if window is not None and window.name.startswith(title) and self.showing(window):
                    return window
            time.sleep(0.1)
        raise SystemExit(f"no window {title!r}")

    def showing(self, node):
        states = node.getState()
        return states.contains(self.pyatspi.STATE_SHOWING) and states.contains(self.pyatspi.STATE_VISIBLE)

    @staticmethod
    def role(node):
        # AT-SPI 2.46 says "push button", later ones "button".
        role = node.getRoleName()
        return "button" if role == "push button" else role

    def walk(self, node):
        for child in node:
            if child is None:
                continue
            yield child
            yield from self.walk(child)

    def find(self, root, role, name):
        for node in self.walk(root):
            if self.role(node) == role and node.name == name:
                return node
        there = ", ".join(f"{self.role(n)} {n.name!r}" for n in self.walk(root))
        raise SystemExit(f"no {role} {name!r} in {root.name!r}, only: {there}")

    def press(self, root, role, name):
        self.find(root, role, name).queryAction().doAction(0)

    def extents(self, node):
        e = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def texts(self, root):
        """The controls that show a text: role, text, screen box."""
        for node in self.walk(root):
            role = self.role(node)
            if role not in TEXT_ROLES or not self.showing(node):
                continue
            text = node.name
            if role == "text":
                text = node.queryText().getText(0, -1)
            if text.strip():
                yield role, text, self.extents(node)


def measure(out_path, shots):
    os.makedirs(shots, exist_ok=True)
    tree, screen = Tree(), Screen()
    results = []

    def record(window_title, window):
        # A control is known by its role and place in the tree, as some texts
        # (the game's hints) differ from run to run.
        seen = collections.Counter()
        for role, text, box in tree.texts(window):
            seen[role] += 1
            add(window_title, f"{window_title} | {role} {seen[role]}", text, screen.measure(box, role))

    def add(window_title, key, text, figure):
        results.append({"window": window_title, "key": key, "caption": text[:40],
                        "contrast": figure and round(figure[0], 2), "text": figure and figure[1],
                        "background": figure and figure[2]})

    def place(title):
        for slot in SLOTS:
            if title.startswith(slot[0]):
                screen.place(*slot)
        time.sleep(0.4)
        return tree.window(title)

    menu = place("Menu Tool")
    tree.press(menu, "button", "Mystery Number Game")
    game = place("Mystery Number")
    time.sleep(0.5)  # the game's first tick
    tree.press(game, "button", "Start New Game")
    time.sleep(0.5)
    click(tree.extents(next(n for n in tree.walk(game) if tree.role(n) == "text")))
    xdo("type", "--delay", "40", "50")
    xdo("key", "Return")
    # Clicked, not toggled through the accessibility action: the toggle sets
    # the check mark without the click that shows the cheat aids.
    click(tree.extents(tree.find(game, "check box", "Let Me Cheat!")))
    time.sleep(0.5)
    click(tree.extents(tree.find(game, "check box", "Cheat Markers")))
    tree.press(menu, "button", "Quillo's Resistor Decoder")
    place("Resistor De-Coder")
    tree.press(menu, "button", "Quarter Wave Antenna ")
    antenna = place("Quarter Wave Antenna")
    click(tree.extents(next(n for n in tree.walk(antenna) if tree.role(n) == "text")))
    xdo("type", "--delay", "40", "144")
    xdo("key", "Return")

    # The launcher's "Info" menu, open, then its "About".
    click(tree.extents(tree.find(menu, "menu item", "Info")))
    time.sleep(0.5)
    screen.shot()
    popup = tree.find(menu, "popup menu", "")
    for node in tree.walk(popup):
        if tree.role(node) == "menu item" and node.name.strip() and tree.showing(node):
            add("Info menu", f"Info menu | {node.name}", node.name, screen.measure(tree.extents(node), "menu item"))
    screen.save(os.path.join(shots, "info-menu.png"))
    click(tree.extents(tree.find(popup, "menu item", "About")))
    about = place("About Kelvaro #1")
    tree.press(about, "button", "License Agreement")
    place("License")
    # The pointer away from every control, so none is drawn hovered.
    xdo("mousemove", "--sync", "1900", "1060")
    time.sleep(1.0)

    screen.shot()
    for title, _, _ in SLOTS:
        record(title, tree.window(title))
    screen.save(os.path.join(shots, "windows.png"))

    # The help message box of the launcher's menu.
    click(tree.extents(tree.find(menu, "menu item", "Info")))
    time.sleep(0.5)
    click(tree.extents(tree.find(menu, "menu item", "Help!")))
    time.sleep(0.5)
    box = tree.window("Kelvaro #1")
    xdo("mousemove", "--sync", "1900", "1060")
    time.sleep(0.5)
    screen.shot()
    record("Help message box", box)
    screen.save(os.path.join(shots, "help-box.png"))
    tree.press(box, "button", "OK")

    with open(out_path, "w") as out:
        json.dump(results, out, indent=1)
    missing = [r["key"] for r in results if r["contrast"] is None]
    print(f"{len(results)} texts measured" + (f"; no text found in: {missing}" if missing else ""))


def compare(default_path, theme_path):
    default = {r["key"]: r for r in json.load(open(default_path))}
    theme = {r["key"]: r for r in json.load(open(theme_path))}
    failures, lowest = [], {}
    for key, base in default.items():
        if base["contrast"] is None:
            continue
        got = theme.get(key)
        if got is None or got["contrast"] is None:
            failures.append(f"{key}: not found")
            continue
        floor = min(MINIMUM, base["contrast"]) - TOLERANCE
        if got["contrast"] < floor:
            failures.append(f"{key} ({got['caption']!r}): {got['contrast']} ({got['text']} on {got['background']}), "
                            f"needs {min(MINIMUM, base['contrast'])}")
        window = got["window"]
        if window not in lowest or got["contrast"] < lowest[window][0]:
            lowest[window] = (got["contrast"], got["caption"], got["text"], got["background"])
    for window, (figure, text, fg, bg) in lowest.items():
        print(f"  lowest in {window}: {figure} ({text!r}, {fg} on {bg})")
    print(f"  {len(default)} texts, {len(failures)} below their floor")
    for failure in failures:
        print("  FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1] == "measure":
        measure(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "compare":
        sys.exit(compare(sys.argv[2], sys.argv[3]))
    else:
        sys.exit(__doc__)
