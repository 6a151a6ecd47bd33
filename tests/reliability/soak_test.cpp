// Long runs through the runtime: thousands of window loads and unloads by
// every way there is, a hundred thousand timer ticks and a thousand sound cues.
// Whatever they create must be given back: the counts of live widgets and
// timers end where they started (a leak of anything else shows in the
// sanitizer build, which checks for leaks at exit).
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTimerEvent>
#include <QtTest/QTest>

#include "about/about.h"
#include "about/license.h"
#include "antenna/qw_antenna.h"
#include "decoder/resistor_decoder.h"
#include "forms/controls.h"
#include "game/mn_game.h"
#include "shell/menu.h"
#include "sound/module1.h"
#include "sound/player.h"
#include "support/live_objects.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

constexpr int kCycles = 2000;
constexpr int kTicks = 100000;
constexpr int kCues = 1000;

class Soak : public WindowTest {
 protected:
  // One load and unload first, so that what Qt creates once per process
  // (fonts, styles, icons) is not taken for growth.
  template <class F>
  void WarmUp() {
    Instance<F>().Show();
    Instance<F>().Unload();
    ProcessEvents();
  }

  template <class F>
  void CloseBox() {
    Instance<F>().Show();
    Instance<F>().Window()->close();
    ProcessEvents();
  }

  template <class F>
  void OwnButton(const char* name) {
    Instance<F>().Show();
    Find<QAbstractButton>(Instance<F>(), name)->click();
    ProcessEvents();
  }

  // Opens and closes a window, turn about by its close box and by its own
  // button, and checks that nothing stays behind.
  template <class F>
  void Cycle(const char* ownButton) {
    WarmUp<F>();
    const LiveObjects before = CountLiveObjects();
    for (int cycle = 0; cycle < kCycles; ++cycle) {
      if (ownButton && cycle % 2) {
        OwnButton<F>(ownButton);
      } else {
        CloseBox<F>();
      }
      ASSERT_FALSE(Instance<F>().IsLoaded()) << "cycle " << cycle;
    }
    EXPECT_EQ(CountLiveObjects(), before);
    EXPECT_EQ(ProcessEnds(), kCycles + 1);
  }
};

TEST_F(Soak, LauncherOpensAndClosesWithoutGrowth) { Cycle<Menu>(nullptr); }
TEST_F(Soak, GameOpensAndClosesWithoutGrowth) { Cycle<MNGame>("Quit"); }
TEST_F(Soak, AntennaOpensAndClosesWithoutGrowth) { Cycle<QWAntenna>("Command2"); }
TEST_F(Soak, DecoderOpensAndClosesWithoutGrowth) { Cycle<ResistorDecoder>(nullptr); }
TEST_F(Soak, AboutOpensAndClosesWithoutGrowth) { Cycle<About>("cmdOK"); }
TEST_F(Soak, LicenseOpensAndClosesWithoutGrowth) { Cycle<License>(nullptr); }

// Every window open, then the launcher's exit, again and again.
TEST_F(Soak, ExitSequenceUnloadsEverythingEveryTime) {
  auto openEverything = [] {
    Instance<Menu>().Show();
    for (const char* tool : {"MsyNum", "ResDecoder", "QWAnt"}) Find<QPushButton>(Instance<Menu>(), tool)->click();
    Instance<About>().Show();
    Instance<License>().Show();
  };
  openEverything();
  Find<QPushButton>(Instance<Menu>(), "Quit")->click();
  const LiveObjects before = CountLiveObjects();
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    openEverything();
    ASSERT_EQ(forms::Form::LoadedCount(), 6);
    Find<QPushButton>(Instance<Menu>(), "Quit")->click();
    ProcessEvents();
    ASSERT_EQ(forms::Form::LoadedCount(), 0) << "cycle " << cycle;
  }
  EXPECT_EQ(CountLiveObjects(), before);
  EXPECT_EQ(ProcessEnds(), kCycles + 1);
}

// Delivers many ticks of a running timer, as if its interval had passed each time.
void TickMany(forms::Form& form, const char* timerName, int ticks) {
  auto* timer = Find<QTimer>(form, timerName);
  ASSERT_NE(timer, nullptr);
  for (int tick = 0; tick < ticks; ++tick) {
    ASSERT_TRUE(timer->isActive());
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
  }
}

// Types a guess into the game and confirms it with Enter.
void Guess(const char* text) {
  auto* box = Find<QLineEdit>(Instance<MNGame>(), "Guess");
  QTest::keyClicks(box, QString::fromUtf8(text));
  QTest::keyClick(box, Qt::Key_Return);
}

TEST_F(Soak, GameTimerTicksWithoutGrowthWhileARoundIsOn) {
  Instance<MNGame>().Show();
  Tick(Instance<MNGame>(), "UpdateAll");
  Find<QAbstractButton>(Instance<MNGame>(), "Start")->click();
  Find<QAbstractButton>(Instance<MNGame>(), "Cheat")->click();
  Find<QAbstractButton>(Instance<MNGame>(), "CheatM")->click();
  Guess("50");
  TickMany(Instance<MNGame>(), "UpdateAll", 10);
  const LiveObjects before = CountLiveObjects();
  TickMany(Instance<MNGame>(), "UpdateAll", kTicks);
  EXPECT_EQ(CountLiveObjects(), before);
  EXPECT_EQ(ProcessEnds(), 0);
}

// The decoder's readout timer, with every band chosen anew now and then.
TEST_F(Soak, DecoderTimerTicksWithoutGrowth) {
  ResistorDecoder& decoder = Instance<ResistorDecoder>();
  decoder.Show();
  TickMany(decoder, "Timer1", 1);
  const LiveObjects before = CountLiveObjects();
  constexpr int kTicksPerChoice = 1000;
  for (int choice = 0; choice < kTicks / kTicksPerChoice; ++choice) {
    decoder.Window()->findChildren<QRadioButton*>()[choice % 29]->click();
    TickMany(decoder, "Timer1", kTicksPerChoice);
  }
  EXPECT_EQ(CountLiveObjects(), before);
  EXPECT_FALSE(Find<forms::Label>(decoder, "readout")->text().isEmpty());
}

// A thousand cues through SDL's dummy driver, each cutting the one before.
TEST_F(Soak, ThousandSoundCuesGiveEverythingBack) {
  Module1::soundCueId = FormValue(std::int16_t{1});
  Module1::PlaySoundCue();
  ProcessEvents();
  const LiveObjects before = CountLiveObjects();
  for (int cue = 0; cue < kCues; ++cue) {
    Module1::soundCueId = FormValue(static_cast<std::int16_t>(cue % 5 + 1));
    Module1::PlaySoundCue();
    ProcessEvents();
  }
  EXPECT_EQ(CountLiveObjects(), before);
  player::ShutDown();
}

}  // namespace
