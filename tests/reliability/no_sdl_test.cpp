// A system without a usable SDL: the library the player looks for has none
// of SDL's functions. Every cue returns, nothing is heard, the game goes on.
#include <dlfcn.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "forms/controls.h"
#include "game/mn_game.h"
#include "shell/menu.h"
#include "sound/sdl_audio.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

class NoSdl : public WindowTest {};

TEST_F(NoSdl, TheGameIsPlayedInSilence) {
  Instance<Menu>().Show();
  Find<QPushButton>(Instance<Menu>(), "MsyNum")->click();
  MNGame& game = Instance<MNGame>();
  Tick(game, "UpdateAll");
  Find<QAbstractButton>(game, "Start")->click();
  Find<QAbstractButton>(game, "Cheat")->click();
  auto* guess = Find<QLineEdit>(game, "Guess");
  QTest::keyClicks(guess, "1000");
  QTest::keyClick(guess, Qt::Key_Return);
  ProcessEvents();
  Tick(game, "UpdateAll");
  EXPECT_EQ(Find<forms::Label>(game, "HiLo")->text(), " Lower than 1000");
  EXPECT_EQ(Find<forms::Label>(game, "ScoreBox")->text(), "Your score is 9");

  // What the player found under SDL's name was the stand-in.
  // The player thread loads it in the background.
  void* loaded = nullptr;
  (void)QTest::qWaitFor([&] { return (loaded = dlopen(player::kSdlLibrary, RTLD_NOW | RTLD_NOLOAD)) != nullptr; },
                        5000);
  ASSERT_NE(loaded, nullptr);
  EXPECT_NE(dlsym(loaded, "kelvaro_not_sdl"), nullptr);
  EXPECT_FALSE(player::LoadSdlAudio(player::kSdlLibrary));
}

}  // namespace
