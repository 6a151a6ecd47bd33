"""tabrinex under each desktop theme this Debian release offers through Qt's
platform theme plugins: every text of every window, measured from
screenshots, stays readable (4.5:1, or its contrast in the default theme
where that is lower), and the theme is seen to load (Qt's palette differs
from the default one). Screenshots and figures stay in the test's folder."""
import collections
import json
import os
import subprocess
import time

import pytest

from conftest import BUILD, RELEASE, holds

MINIMUM = 4.5
TOLERANCE = 0.05  # anti-aliasing differs by a shade between runs
TEXT_ROLES = {"label", "static", "button", "check box", "radio button", "menu", "menu item", "text"}
# Where the windows stand, side by side, so that none is ever covered.
SLOTS = [("Menu Tool", 10, 10), ("Mystery Number", 270, 10), ("Resistor De-Coder", 860, 10),
         ("Quarter Wave Antenna", 1300, 10), ("About Kelvaro #1", 10, 430), ("License", 420, 430)]
AWAY = (1900, 1060)  # the pointer where it hovers over no control
# Qt 6.4's GTK plugin does not apply GTK's high-contrast themes, and Debian 12
# has no Plasma platform theme for Qt 6.
THEMES = ["adwaita-dark", "qt6ct-darker", "qt6ct-dusk"] + (
    ["gtk-high-contrast", "gtk-high-contrast-inverse", "breeze-dark"] if RELEASE >= 13 else [])


def settings(theme, home):
    """The environment of a theme, with a settings folder of its own."""
    config = home / f"config-{theme}"
    config.mkdir()
    env = {"XDG_CONFIG_HOME": str(config)}
    gtk = {"adwaita-dark": "Adwaita:dark", "gtk-high-contrast": "HighContrast",
           "gtk-high-contrast-inverse": "HighContrastInverse"}
    if theme in gtk:
        env.update(QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME=gtk[theme], NO_AT_BRIDGE="1")
    elif theme.startswith("qt6ct-"):
        (config / "qt6ct").mkdir()
        (config / "qt6ct" / "qt6ct.conf").write_text(
            f"[Appearance]\ncustom_palette=true\ncolor_scheme_path=/usr/share/qt6ct/colors/{theme[6:]}.conf\n"
            "style=Fusion\n")
        env["QT_QPA_PLATFORMTHEME"] = "qt6ct"
    elif theme == "breeze-dark":
        # A Plasma session keeps its colour scheme's colours in kdeglobals.
        colours = [line for line in open("/usr/share/color-schemes/BreezeDark.colors").read().splitlines()
                   if not line.startswith(("[General]", "ColorScheme", "Name"))]
        (config / "kdeglobals").write_text("[General]\nColorScheme=BreezeDark\n\n[KDE]\nwidgetStyle=Breeze\n\n"
                                           + "\n".join(colours) + "\n")
        env["QT_QPA_PLATFORMTHEME"] = "kde"
    return env


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def measure(shot, box, role):
    """The contrast of the text in a box: its most common colour is the
    background, the text the colour that stands out most from it."""
    rgb, width, height = shot
    x, y, w, h = box
    inset = 3 if role in ("button", "text") else 2
    left = x + inset + (18 if role in ("check box", "radio button") else 0)
    counts = collections.Counter(
        rgb[(py * width + px) * 3:(py * width + px) * 3 + 3]
        for py in range(max(y + inset, 0), min(y + h - inset, height))
        for px in range(max(left, 0), min(x + w - inset, width)))
    background = counts.most_common(1)[0][0] if counts else None
    candidates = [c for c, n in counts.items() if n >= 3 and c != background]
    if not candidates:
        return None
    text = max(candidates, key=lambda c: contrast(c, background))
    return round(contrast(text, background), 2), "#" + text.hex().upper(), "#" + background.hex().upper()


def texts(program, display, shots):
    """Every window opened through the launcher in states that show its texts,
    measured; the screenshots saved in `shots`. {key: (text, figure)}"""
    a11y, x = program.a11y, display
    figures = {}

    def settled():
        """The screen once two shots a moment apart agree (a drawn hover or
        focus has nothing else to wait on), or after 2 s where a caret blinks."""
        previous = x.shot()
        for _ in range(8):
            time.sleep(0.25)
            shot = x.shot()
            if shot == previous:
                break
            previous = shot
        return previous

    def record(name, window, shot):
        # A control is known by its role and place in the tree, as some texts
        # (the game's hints) differ from run to run.
        seen = collections.Counter()
        for node in a11y.walk(window):
            role = a11y.role(node)
            if role not in TEXT_ROLES or not a11y.showing(node):
                continue
            text = node.queryText().getText(0, -1) if role == "text" else node.name
            if text.strip():
                seen[role] += 1
                figures[f"{name} | {role} {seen[role]}"] = (text[:40], measure(shot, a11y.box(node), role))

    def place(title):
        slot = next(s for s in SLOTS if title.startswith(s[0]))
        x.window(title, prefix=True)
        for window in x.find(title, prefix=True):
            window.configure(x=slot[1], y=slot[2])
        x.d.sync()
        window = program.window(title)
        holds(f"{title} stands at {slot[1:]}", lambda: a11y.box(window)[:2] == slot[1:])
        return window

    menu = place("Menu Tool")
    program.a11y.press(program.control(menu, "button", "Mystery Number Game"))
    game = place("Mystery Number")
    time.sleep(0.5)  # the game's first tick, which shows nothing to wait on
    a11y.press(program.control(game, "button", "Start New Game"))
    a11y.click(program.control(game, "text"))
    x.type("50")
    x.keys("Return")
    # Clicked, not toggled through the accessibility action: the toggle sets
    # the check mark without the click that shows the cheat aids.
    program.click(game, "check box", "Let Me Cheat!")
    program.click(game, "check box", "Cheat Markers")
    a11y.press(program.control(menu, "button", "Quillo's Resistor Decoder"))
    place("Resistor De-Coder")
    a11y.press(program.control(menu, "button", "Quarter Wave Antenna "))
    antenna = place("Quarter Wave Antenna")
    a11y.click(program.control(antenna, "text"))
    x.type("144")
    x.keys("Return")

    # The launcher's "Info" menu, open.
    program.click(menu, "menu item", "Info")
    popup = program.control(menu, "popup menu")
    items = [n for n in a11y.walk(popup) if a11y.role(n) == "menu item" and n.name.strip() and a11y.showing(n)]
    shot = settled()
    for node in items:
        figures[f"Info menu | {node.name}"] = (node.name, measure(shot, a11y.box(node), "menu item"))
    x.save(shots / "info-menu.png", shot)
    a11y.click(next(n for n in items if n.name == "About"))
    about = place("About Kelvaro #1")
    a11y.press(program.control(about, "button", "License Agreement"))
    place("License")
    x.point(*AWAY)
    shot = settled()
    for title, _, _ in SLOTS:
        record(title, program.window(title), shot)
    x.save(shots / "windows.png", shot)

    # The help message box of the launcher's menu.
    program.menu(menu, "Help!")
    box = program.window("Kelvaro #1")
    x.point(*AWAY)
    shot = settled()
    record("Help message box", box, shot)
    x.save(shots / "help-box.png", shot)
    a11y.press(program.control(box, "button", "OK"))
    return figures


@pytest.mark.screen("1920x1080")  # room for every window side by side
@pytest.mark.parametrize("theme", THEMES)
def test_theme(theme, display, program, home, evidence):
    themed = settings(theme, home)
    palettes = {}
    for name, env in (("default", {}), (theme, themed)):
        palettes[name] = subprocess.run([str(BUILD / "tests/desktop/palette_probe")], env={**os.environ, **env},
                                        capture_output=True, text=True, check=True).stdout
        (evidence / f"palette-{name}.txt").write_text(palettes[name])
    # The colours, not the style's name: a theme that loaded changes them.
    assert palettes[theme].splitlines()[1:] != palettes["default"].splitlines()[1:], \
        "the theme did not load: Qt's palette is the default one"

    measured = {}
    for name, env in (("default", {}), (theme, themed)):
        (evidence / name).mkdir()
        app = program(**env)
        measured[name] = texts(app, display, evidence / name)
        app.process.end()
        holds("the windows are gone", lambda: not display.find("Menu Tool"))
        (evidence / f"texts-{name}.json").write_text(json.dumps(measured[name], indent=1))

    failures, lowest = [], {}
    for key, (caption, base) in measured["default"].items():
        if base is None:
            continue
        got = measured[theme].get(key, (None, None))[1]
        if got is None:
            failures.append(f"{key}: not found")
            continue
        floor = min(MINIMUM, base[0])
        if got[0] < floor - TOLERANCE:
            failures.append(f"{key} ({caption!r}): {got[0]} ({got[1]} on {got[2]}), needs {floor}")
        window = key.split(" | ")[0]
        lowest[window] = min(lowest.get(window, got), got)
    print("\n".join(f"lowest in {w}: {f[0]} ({f[1]} on {f[2]})" for w, f in lowest.items()))
    assert not failures, f"{len(failures)} of {len(measured['default'])} texts below their floor:\n" + "\n".join(failures)
