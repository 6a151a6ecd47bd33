// Faults the program must ride out: no sound device, the sound going away in
// the middle of a cue, a resource that is not there, and a message box open
// while the timers keep ticking behind it.
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include <QAbstractButton>
#include <QAction>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "forms/controls.h"
#include "forms/handler.h"
#include "game/mn_game.h"
#include "shell/menu.h"
#include "sound/module1.h"
#include "sound/player.h"
#include "sound/sdl_audio.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

// Every draw in the middle of the range.
class Middle : public mystery::RandomSource {
 public:
  void Reseed() override {}
  double Draw() override { return 0.5; }
};

class Fault : public WindowTest {
 protected:
  ~Fault() override { player::ShutDown(); }

  MNGame& Game() { return Instance<MNGame>(); }
  QString Caption(const char* label) { return Find<forms::Label>(Game(), label)->text(); }
  void Click(const char* name) { Find<QAbstractButton>(Game(), name)->click(); }
  void Guess(const char* text) {
    auto* box = Find<QLineEdit>(Game(), "Guess");
    QTest::keyClicks(box, QString::fromUtf8(text));
    QTest::keyClick(box, Qt::Key_Return);
  }

  // A game with a round on and the hidden number 51, cues requested on the way.
  void PlayARound() {
    Instance<Menu>().Show();
    Find<QPushButton>(Instance<Menu>(), "MsyNum")->click();
    Game().Rules().SetRandomSource(std::make_unique<Middle>());
    Tick(Game(), "UpdateAll");
    Click("Start");
    Click("Cheat");
    Guess("1000");
    ProcessEvents();
    Tick(Game(), "UpdateAll");
  }
};

// Without any sound back end every cue returns and the game goes on.
TEST_F(Fault, WithoutAnAudioDeviceTheGameGoesOn) {
  setenv("SDL_AUDIODRIVER", "kelvaro-no-such-device", 1);
  PlayARound();
  EXPECT_EQ(Caption("HiLo"), " Lower than 1000");
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 9");
  EXPECT_EQ(forms::Form::LoadedCount(), 2);
}

// The rest of the program is untouched by a help box: ticks delivered while
// it is open update the window behind it, and the timer runs on afterwards.
TEST_F(Fault, TicksGoOnBehindTheHelpMessageBox) {
  PlayARound();
  Guess("1");
  QString hintWhileOpen;
  bool boxWasOpen = false;
  QTimer behind;
  behind.setInterval(1);
  QObject::connect(&behind, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    behind.stop();
    boxWasOpen = true;
    for (int tick = 0; tick < 20; ++tick) Tick(Game(), "UpdateAll");
    hintWhileOpen = Caption("HiLo");
    box->button(QMessageBox::Ok)->click();
  });
  behind.start();
  Find<QAction>(Game(), "mnuHelp")->trigger();
  ASSERT_TRUE(boxWasOpen);
  EXPECT_EQ(hintWhileOpen, " Higher than 1");
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 8");

  Guess("2");
  Tick(Game(), "UpdateAll");
  EXPECT_EQ(Caption("HiLo"), " Higher than 2");
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 7");
}

// A cue with no sound behind it goes to the runtime's error report: a box
// with the error's number and text, then the event loop ends with that number.
TEST_F(Fault, AMissingResourceReachesTheErrorReportAndEndsTheRun) {
  Instance<Menu>().Show();
  QPushButton trigger;
  forms::On(&trigger, &QPushButton::clicked, [] {
    Module1::soundCueId = FormValue(std::int16_t{6});
    Module1::PlaySoundCue();
  });
  MessageBoxWatcher watcher;
  QEventLoop run;
  QTimer::singleShot(0, &trigger, &QPushButton::click);
  const int code = run.exec();
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Seen()->text, "Run-time error '326':\n\nResource with identifier '6' not found");
  EXPECT_EQ(watcher.Seen()->buttons, QMessageBox::Ok);
  EXPECT_EQ(code, 326);
}

// The sound server, played by a pipe that SDL's "disk" driver writes into,
// goes away while a cue plays: the cue is lost, nothing else, and the next
// cue finds the sound again.
class ServerGone : public Fault {
 protected:
  ServerGone() {
    // A pipe without a reader raises SIGPIPE; a sound server's socket does not.
    std::signal(SIGPIPE, SIG_IGN);
    mkfifo(server_.toLocal8Bit().constData(), 0600);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", server_.toLocal8Bit().constData(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
  }
  ~ServerGone() override {
    if (reader_ >= 0) close(reader_);
  }

  void ServerUp() { reader_ = open(server_.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK); }
  void ServerDown() {
    close(reader_);
    reader_ = -1;
  }

  // Waits, up to a generous limit, until the player's device has sent sound.
  bool SoundArrives() {
    char buffer[4096];
    for (int wait = 0; wait < 500; ++wait) {
      ProcessEvents();
      pollfd ready{reader_, POLLIN, 0};
      if (poll(&ready, 1, 10) <= 0) continue;
      const ssize_t got = read(reader_, buffer, sizeof buffer);
      if (got > 0) return true;
      // While no device has the pipe open (the old one closed, the new one
      // not yet opened) it reads as ended at once: wait as for no sound.
      if (got == 0) usleep(10'000);
    }
    return false;
  }

  // SDL's own word on its open devices: true once every one has stopped.
  static bool EveryDeviceStopped() {
    auto status = reinterpret_cast<decltype(&SDL_GetAudioDeviceStatus)>(
        dlsym(dlopen(player::kSdlLibrary, RTLD_NOW | RTLD_NOLOAD), "SDL_GetAudioDeviceStatus"));
    for (SDL_AudioDeviceID device = 1; device < 16; ++device) {
      if (status(device) == SDL_AUDIO_PLAYING) return false;
    }
    return true;
  }

  QTemporaryDir dir_;
  QString server_ = dir_.filePath("server");
  int reader_ = -1;
};

TEST_F(ServerGone, InTheMiddleOfACueTheNextCueFindsTheSoundAgain) {
  ServerUp();
  PlayARound();
  ASSERT_TRUE(SoundArrives());
  ASSERT_FALSE(EveryDeviceStopped());

  ServerDown();
  ASSERT_TRUE(QTest::qWaitFor(EveryDeviceStopped, 5000));
  for (int tick = 0; tick < 10; ++tick) Tick(Game(), "UpdateAll");
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 9");

  ServerUp();
  Guess("40");
  EXPECT_TRUE(SoundArrives());
  Tick(Game(), "UpdateAll");
  EXPECT_EQ(Caption("HiLo"), " Higher than 40");
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 8");
}

}  // namespace
