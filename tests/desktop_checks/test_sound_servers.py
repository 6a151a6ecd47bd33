"""The game's cues through the sound servers people run, PulseAudio and
PipeWire, with SDL left to pick its own driver: recorded from the server's
null sink and found in the recording by their samples (tests/sound/cue_match).
The recordings and what was found in them stay in the test's folder."""
import signal
import time

import pytest

from conftest import BUILD, REAL_TIME, ROOT, Process, holds

START = ("Start New Game", "Start New Round")  # its caption after the first round
CUES = [str(ROOT / f"resources/sounds/cue{n}.wav") for n in range(1, 6)]


@pytest.mark.parametrize("sound_server", ["pulseaudio", "pipewire"], indirect=True)
def test_cues(sound_server, display, program, evidence):
    server = sound_server

    class Recording:
        """The null sink's monitor, recorded while the block runs; then the
        cues found in it, one (cue, start, heard, correlation, delay) each."""

        def __init__(self, name):
            self.raw = evidence / f"{name}.raw"

        def __enter__(self):
            with open(self.raw, "wb") as out:
                self.recorder = Process([*REAL_TIME, "parec", "-d", "kelvaro_sink.monitor", "--format=s16le", "--rate=22050",
                                         "--channels=1", "--latency-msec=20"], evidence / "parec.log", stdout=out)
            holds("the recorder records", lambda: self.raw.stat().st_size > 0)
            return self

        def __exit__(self, *_):
            self.recorder.end()
            found = Process([str(BUILD / "tests/sound/cue_match"), str(self.raw), *CUES], self.raw.with_suffix(".cues"))
            found.popen.wait()
            self.cues = [line.split() for line in self.raw.with_suffix(".cues").read_text().splitlines()]
            self.heard = " ".join(cue[0] for cue in self.cues)

        def cut_by_next(self, n):
            """Cue n stops short of its end, where cue n + 1 begins (within the
            0.1 s steps cue_match measures in); a stall moves where it ends."""
            cue, after = [float(v) for v in self.cues[n - 1][1:]], float(self.cues[n][1])
            return cue[1] < 3 and abs(after - (cue[0] + cue[1] + cue[3])) < 0.2

    def open_game(app):
        app.click(app.window("Menu Tool"), "button", "Mystery Number Game")
        game = app.window("Mystery Number")
        time.sleep(0.5)  # the game's first tick, which shows nothing to wait on
        return game

    def guess_zero(app, game):
        """No hidden number is 0: the guess is wrong and plays its own cue."""
        app.click(game, "text")
        display.type("0")
        display.keys("Return")

    def next_cue_heard(app, game, name):
        """ "Let Me Cheat!" once the player has looked for a server again,
        which it does at most once a second and shows nothing of: what was heard."""
        with Recording(name) as recording:
            time.sleep(1.2)
            app.click(game, "check box", "Let Me Cheat!")
            time.sleep(1.5)
        return recording.heard

    def exits(app, what):
        """ "Exit to Windows" ends the program, cleanly, within 5 s."""
        display.raise_("Menu Tool")
        clicked = time.monotonic()
        app.click(app.window("Menu Tool"), "button", "Exit to Windows")
        assert app.exits(5) == 0, f"{what}: tabrinex ended badly"
        print(f"{server.kind} {what}: ended {(time.monotonic() - clicked) * 1000:.0f} ms after \"Exit to Windows\"")

    # A round: Start, a guess, the cheat aids twice, then the game closed
    # while the last cue plays. The pauses are the player's.
    with Recording("cues") as round_:
        app = program()
        game = open_game(app)
        app.click(game, "button", START)
        time.sleep(1)
        guess_zero(app, game)
        time.sleep(1)
        app.click(game, "check box", "Let Me Cheat!")
        time.sleep(1)
        app.click(game, "check box", "Let Me Cheat!")
        time.sleep(0.5)
        app.click(game, "button", "Quit Game")
        time.sleep(4)
    assert round_.heard == "2 1 4 4", "Start, a guess and \"Let Me Cheat!\" twice are heard, the right cues in order"
    assert all(round_.cut_by_next(n) for n in (1, 2, 3)), "each cue is cut by the next, which starts from its first sample"
    assert float(round_.cues[3][2]) >= 3.2, "the last cue plays to its end after the game window has closed"

    # The server killed in the middle of a cue, then started again.
    game = open_game(app)
    app.click(game, "button", START)
    time.sleep(0.7)
    server.kill()
    time.sleep(0.5)
    server.start()
    assert next_cue_heard(app, game, "restarted") == "4", \
        "killed in the middle of a cue and restarted, the server plays the next cue"
    exits(app, "after a restart")

    # No server at all: the cues are silent and the program goes on; then a
    # server starts, and the next cue is heard.
    server.kill()
    app = program()
    game = open_game(app)
    before = time.monotonic()
    app.click(game, "button", START)
    time.sleep(0.3)
    app.click(game, "check box", "Let Me Cheat!")
    guess_zero(app, game)
    app.click(game, "check box", "Let Me Cheat!")
    assert time.monotonic() - before < 10, "without a server every cue returns at once"
    server.start()
    assert next_cue_heard(app, game, "later") == "4", "a server started after the program plays the next cue"
    exits(app, "after cues without a server")

    # The server stopped (SIGSTOP) in the middle of a cue, then before the
    # first cue: the program does not wait for it to answer.
    app = program()
    app.click(open_game(app), "button", START)
    time.sleep(0.7)
    server.signal(signal.SIGSTOP)
    exits(app, "stopped in the middle of a cue")
    server.signal(signal.SIGCONT)
    app = program()
    game = open_game(app)
    server.signal(signal.SIGSTOP)
    app.click(game, "button", START)
    time.sleep(0.5)
    exits(app, "stopped before the first cue")
    server.signal(signal.SIGCONT)
    assert not (evidence / "program.log").read_text().strip(), "tabrinex printed nothing"
