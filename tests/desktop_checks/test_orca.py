"""Every tool of tabrinex used by keys alone under the Orca screen reader,
checked on what Orca spoke. KELVARO_ABOUT_REPEAT=20 opens the About box that
many times in a row, each time checked on what Orca read."""
import os
import time

import pytest

from conftest import holds


ABOUT_SPOKEN = r"Kelvaro #1\. Version 1\.0\.2\. This software package consists of 3 seperate programs"
BACK = "Menu Tool|button"
ABOUT = "About Kelvaro #1"


@pytest.mark.parametrize("window_manager", ["mutter"], indirect=True)
def test_orca(window_manager, orca, display, program):
    x, speech = display, orca

    def press(*combos, pace=0.06):
        """Keys pressed after a mark; a combination for the program is held
        until Orca takes it (Alt+F4 is the window manager's: Orca never sees it)."""
        x.keys(*combos, pace=pace, held=lambda combo: combo.startswith(("ctrl+", "shift+")) and speech.taken(combo))

    def key_until(key, pattern, tries=8):
        """Presses a key until Orca speaks what matches, as a person listening
        would: again when 5 s have passed without it."""
        for _ in range(tries):
            speech.mark()
            press(key)
            if speech.said(pattern, 5):
                return True
        return False

    def then(keys, what, pattern, timeout=10):
        speech.mark()
        press(*keys)
        speech.says(what, pattern, timeout)

    speech.mark()
    app = program()
    speech.says("the launcher opens with its focus", "Mystery Number Game|Resistor Decoder|Quarter Wave Antenna", 20)

    # Antenna: a frequency and Enter, then a text that is no frequency.
    key_until("Tab", "Quarter Wave Antenna")
    then(["space"], "the antenna calculator opens", "Quarter Wave Antenna")
    # A Tab while Orca still presents the new window can leave the frequency
    # box's description unspoken: as a person would, wait for the first focus.
    speech.said("Quit", 5)
    key_until("Tab", "Frequency in MHz")
    speech.says("the frequency box reads the instruction", "Enter frequency in Mhz and press")
    x.type("7.2")
    then(["Return"], "Enter in the antenna: the length", "65 Feet")
    speech.mark()
    press("ctrl+a")
    x.type("abc")
    then(["Return"], "Enter in the antenna: the input error", "INPUT ERROR")
    then(["Return"], "Enter again: the same result again", "INPUT ERROR")
    key_until("Tab", "Quit")
    then(["space"], "Quit: back at the launcher", BACK)

    # Decoder: one step down in the first band, from Brown to Red.
    key_until("Tab", "Resistor Decoder")
    then(["space"], "the decoder opens in the first band", "First band|Brown")
    then(["Down"], "a decoder choice: its band and its resistance", r"Red = 2\. 200 OHMS")
    then(["Tab"], "the next band and its caption", "Black = 0|Second band")
    then(["alt+F4"], "the decoder closes: back at the launcher", BACK)

    # Game: a round played by halving the range, then a game lost.
    key_until("Tab", "Mystery Number Game")
    then(["space"], "the game opens", "Mystery Number")
    time.sleep(0.5)  # the game's rules settle on its timer's first tick, which shows nothing to wait on
    then(["space"], "Start: the round and the range", r"Round 1 in progress\. Mystery number is between 0 and 100")
    low, high, guesses, won = 0, 101, 0, False
    while guesses < 8 and not won:
        guess = (low + high) // 2
        x.type(str(guess))
        speech.mark()
        x.keys("Return")
        assert speech.said("notification"), f"a guess: no hint spoken after {guesses} guesses"
        guesses += 1
        won = speech.said("Correct answer!", 0)  # the first guess is right once in a hundred rounds
        if not won:
            assert speech.said(f"Higher than {guess}|Lower than {guess}", 0), f"a guess: no hint for {guess}"
            low, high = (guess, high) if speech.said(f"Higher than {guess}", 0) else (low, guess)
    assert won, "the round was not won by halving the range"
    speech.says("the right guess: round over and the score", r"Correct answer! Round Over\. Your score is")
    # The next round, then 0 guessed until no point is left.
    key_until("shift+Tab", "Start New Round")
    then(["space"], "Start: the next round", "Round 2 in progress")
    for _ in range(25):
        x.type("0")
        speech.mark()
        x.keys("Return")
        assert speech.said("notification"), "a guess of 0: no hint spoken"
        if speech.said("Game Over!", 0):
            break
    speech.says("the last point lost: game over", r"Higher than 0\. Game Over! Your score is 0", 0)
    speech.mark()
    x.type("0")
    x.keys("Return")
    assert not speech.said("Higher than 0", 1), "a guess was taken after the game was over"
    key_until("Tab", "Let Me Cheat")
    then(["space"], "the cheating aids: what appeared", r"Shown: Cheat Markers\. Give me 1 point\. Cheater")
    speech.mark()
    time.sleep(2)
    assert not speech.since(), f"the timers made Orca speak: {speech.since()[:1]}"

    # About, by keys at a person's pace: Alt opens the "Info" menu, Up from
    # its first item reaches the last, "About". Closed by Esc and opened again
    # as often as asked.
    then(["alt+F4"], "the game closes: back at the launcher", BACK)
    repeat = int(os.environ.get("KELVARO_ABOUT_REPEAT", "1"))
    for time_ in range(1, repeat + 1):
        menu = app.window("Menu Tool")
        holds("the launcher is active", lambda: app.a11y.has(menu, "active") and not x.find(ABOUT), 10)
        # Alt takes the menu bar only once Qt has settled the launcher's
        # activation, of which the tree shows nothing: Alt again, as a person
        # listening would, until "Info" is said.
        key_until("alt", "Info", 3)
        speech.mark()
        press("Down", "Up", "Return", pace=0.15)
        speech.says(f"About opens ({time_} of {repeat}): its title, version and description", ABOUT_SPOKEN)
        if time_ < repeat:
            about = app.window(ABOUT)
            holds("About is active", lambda: app.a11y.has(about, "active"))
            x.keys("Escape")
    key_until("Tab", "License Agreement")
    then(["space"], "the terms open", "License")
    # The terms take the focus a moment after their window is named; a Down
    # pressed before then reads nothing, so it is pressed again.
    assert key_until("Down", "^[^']*SPEECH OUTPUT: '[^']{10,120}'", 3), "the terms, one line down: no line spoken"
    then(["ctrl+End"], "the terms' last line", "happy building!'")
    then(["ctrl+Home"], "the terms' first line", "SPEECH OUTPUT: 'Kelvaro #1 is free to use")
