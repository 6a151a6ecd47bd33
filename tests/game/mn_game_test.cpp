#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest/QTest>

#include "about/about.h"
#include "forms/controls.h"
#include "game/mn_game.h"
#include "game_fixture.h"
#include "resources/resources.h"
#include "shell/menu.h"
#include "sound/module1.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

class MNGameTest : public WindowTest {
 protected:
  MNGameTest() {
    Instance<Menu>().Show();
    OpenFromLauncher();
  }

  void OpenFromLauncher() {
    Find<QPushButton>(Instance<Menu>(), "MsyNum")->click();
    game().Rules().SetRandomSource(std::make_unique<FixedRandom>(dice));
  }

  MNGame& game() { return Instance<MNGame>(); }
  template <class T = QWidget>
  T* Control(const char* name) {
    return Find<T>(game(), name);
  }
  QString Caption(const char* label) { return Control<forms::Label>(label)->text(); }
  bool Shown(const char* name) { return Control(name)->isVisibleTo(game().Window()); }

  void Tick() { ::Tick(game(), "UpdateAll"); }
  void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }
  void StartWith(int hidden) {
    dice.next = DrawFor(hidden, game().Rules().Values().rangeTop);
    Click("Start");
  }
  void TypeGuess(const char* text) {
    QTest::keyClicks(Control("Guess"), text);
    QTest::keyClick(Control("Guess"), Qt::Key_Return);
  }
  std::int16_t LastCue() { return static_cast<std::int16_t>(Module1::soundCueId.Number()); }

  Dice dice;
};

struct ControlRow {
  const char* name;
  QRect pixels;
  const char* text;
};

TEST_F(MNGameTest, OpensAsDesigned) {
  forms::FormWindow* window = game().Window();
  EXPECT_EQ(window->windowTitle(), "Mystery Number..... by R. Quillo");
  ExpectClientArea(game(), QRect(298, 169, 569, 285), QColor(0x8C, 0x66, 0x36));
  EXPECT_FALSE(window->windowIcon().isNull());

  const ControlRow rows[] = {
      {"Start", {32, 56, 113, 25}, "Start New Game"},
      {"Guess", {216, 220, 49, 25}, ""},
      {"Quit", {488, 248, 73, 25}, "Quit Game"},
      {"CheatM", {416, 160, 98, 17}, "Cheat Markers"},  // widened to its caption
      {"PointsPlus", {416, 128, 113, 25}, "Give me 1 point"},
      {"Cheat", {192, 132, 94, 17}, "Let Me Cheat!"},
      {"Progress", {4, 24, 173, 21}, ""},
      {"ScoreBox", {8, 116, 169, 17}, ""},
      {"Rating", {8, 140, 169, 17}, "Current Rating...Not Available"},
      {"RoundBox", {8, 208, 169, 17}, ""},
      {"PointAward", {8, 232, 169, 17}, ""},
      {"Mystery", {188, 72, 377, 25}, ""},
      {"Narrowed", {188, 160, 221, 17}, ""},
      {"Instruction", {0, 0, 569, 17}, "The object is to guess the computers number as quickly as possible !"},
      {"CheatPic", {296, 192, 184, 87}, nullptr},
      {"LogoPic1", {8, 256, 169, 25}, nullptr},
  };
  for (const ControlRow& row : rows) {
    QWidget* control = Control(row.name);
    EXPECT_EQ(control->geometry(), row.pixels) << row.name;
    if (!row.text) continue;
    const QString text = qobject_cast<QLabel*>(control)            ? qobject_cast<QLabel*>(control)->text()
                         : qobject_cast<QAbstractButton*>(control) ? qobject_cast<QAbstractButton*>(control)->text()
                                                                   : qobject_cast<QLineEdit*>(control)->text();
    EXPECT_EQ(text, row.text) << row.name;
  }
  for (const char* check : {"CheatM", "Cheat"}) {
    EXPECT_GE(Control(check)->width(), Control(check)->sizeHint().width()) << "caption of " << check << " clipped";
  }
  EXPECT_EQ(Control("HiLo")->pos(), QPoint(192, 200));
  EXPECT_EQ(Control("Picture1")->geometry(), QRect(280, 24, 192, 39)) << "sized to the plaque";

  EXPECT_EQ(window->focusWidget(), Control("Start"));
  EXPECT_TRUE(Control("Start")->isEnabled());
  for (const char* shown : {"Start", "Guess", "Quit", "Cheat", "Progress", "Mystery", "PointAward", "Picture1",
                            "LogoPic1", "Instruction"}) {
    EXPECT_TRUE(Shown(shown)) << shown;
  }
  for (const char* hidden : {"CheatM", "PointsPlus", "CheatPic", "Narrowed", "Rating", "ScoreBox", "RoundBox"}) {
    EXPECT_FALSE(Shown(hidden)) << hidden;
  }
  EXPECT_FALSE(Control<QCheckBox>("Cheat")->isChecked());
  EXPECT_FALSE(Control<QCheckBox>("CheatM")->isChecked());
  EXPECT_EQ(Control<QLineEdit>("Guess")->maxLength(), 4);
  EXPECT_EQ(Control<QLineEdit>("Guess")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
  EXPECT_FALSE(Control<QLineEdit>("Guess")->accessibleName().isEmpty());
  EXPECT_EQ(Control("CheatPic")->accessibleName(), "Cheater");
  EXPECT_EQ(Control<QTimer>("UpdateAll")->interval(), 250);
  SaveScreenshot(game(), "mn_game_open");
}

TEST_F(MNGameTest, LooksAsDesigned) {
  EXPECT_EQ(Control("Start")->palette().color(QPalette::Button), QColor(0xC0, 0xC0, 0xC0));
  for (const char* bold : {"Start", "Quit", "PointsPlus", "Instruction", "Progress", "Mystery", "Guess"}) {
    EXPECT_TRUE(Control(bold)->font().bold()) << bold;
  }
  EXPECT_DOUBLE_EQ(Control("Mystery")->font().pointSizeF(), 15.75);
  EXPECT_DOUBLE_EQ(Control("Progress")->font().pointSizeF(), 9.75);
  EXPECT_DOUBLE_EQ(Control("Guess")->font().pointSizeF(), 9.75);
  auto* instruction = Control<forms::Label>("Instruction");
  EXPECT_EQ(instruction->ForeColor(), 0xFFFFFFu);
  EXPECT_EQ(instruction->BackColor(), 0x000080u);
  for (const char* line : {"ScoreBox", "Rating", "RoundBox", "PointAward", "Mystery", "Narrowed", "HiLo", "Progress"}) {
    auto* label = Control<forms::Label>(line);
    EXPECT_EQ(label->BackColor(), 0xFFFFFFu) << line;
    EXPECT_NE(label->frameShape(), QFrame::NoFrame) << line;
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << line;
  }
  EXPECT_EQ(Control("Cheat")->palette().color(QPalette::Window), QColor(0x8C, 0x66, 0x36));
}

TEST_F(MNGameTest, TabOrderSkipsLabelsAndHiddenControls) {
  QStringList order;
  QWidget* start = Control("Start");
  for (QWidget* w = start; order.size() < 20; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(game().Window()) && w->isEnabled()) {
      order << w->objectName();
    }
    if (w->nextInFocusChain() == start) break;
  }
  EXPECT_EQ(order.mid(0, 5), QStringList({"Start", "Guess", "Quit", "Cheat", "Picture1"}));
}

TEST_F(MNGameTest, FirstTickShowsNoGame) {
  Tick();
  EXPECT_EQ(Caption("Progress"), " Game Over! ");
  EXPECT_EQ(Caption("HiLo"), " Correct answer! ");
  EXPECT_EQ(Control<QPushButton>("Start")->text(), "Start New Game");
  EXPECT_TRUE(Control("Start")->isEnabled());
  EXPECT_FALSE(Shown("Rating"));
  EXPECT_EQ(Control("HiLo")->pos(), QPoint(192, 200)) << "grows to the right of its left edge";
}

TEST_F(MNGameTest, SpaceOnStartBeforeTheFirstTickBeginsRoundOne) {
  EXPECT_EQ(Control("HiLo")->geometry(), QRect(192, 200, 97, 17)) << "at its designed size before any caption";
  dice.next = DrawFor(37, 100);
  ASSERT_EQ(game().Window()->focusWidget(), Control("Start"));
  QTest::keyClick(Control("Start"), Qt::Key_Space);
  EXPECT_EQ(Caption("Mystery"), "Mystery number is between 0 and 100");
  EXPECT_EQ(Caption("PointAward"), "Completed round bonus = 10");
  EXPECT_EQ(Caption("Progress"), "Round 1 in progress");
  EXPECT_EQ(game().Rules().Values().mysteryValue, 37);
  Tick();
  EXPECT_EQ(Caption("Progress"), "Round 1 in progress") << "no game over before a guess";
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 10");
  EXPECT_EQ(Caption("RoundBox"), "You are playing Round # 1");
  EXPECT_EQ(Caption("HiLo"), " Higher than 0");
}

TEST_F(MNGameTest, ASeededGamePlayedWithTypedGuesses) {
  Tick();
  StartWith(37);
  EXPECT_FALSE(Control("Start")->isEnabled());
  EXPECT_EQ(LastCue(), mystery::kCueStart);
  EXPECT_EQ(Caption("Mystery"), "Mystery number is between 0 and 100");
  EXPECT_EQ(Caption("PointAward"), "Completed round bonus = 10");
  EXPECT_EQ(Caption("Progress"), "Round 1 in progress");
  EXPECT_TRUE(Shown("Rating") && Shown("ScoreBox") && Shown("RoundBox"));

  TypeGuess("50");
  EXPECT_EQ(Control<QLineEdit>("Guess")->text(), "");
  EXPECT_EQ(LastCue(), mystery::kCueGuess);
  EXPECT_EQ(Caption("HiLo"), " Correct answer! ") << "the hint waits for the tick";
  Tick();
  EXPECT_EQ(Caption("HiLo"), " Lower than 50");
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 9");
  EXPECT_EQ(Caption("RoundBox"), "You are playing Round # 1");
  EXPECT_EQ(Caption("Rating"), " Current Rating...Pathetic! ");
  EXPECT_EQ(Control<forms::Label>("Rating")->BackColor(), 0xFFFFFFu);
  EXPECT_EQ(Control<forms::Label>("Rating")->ForeColor(), 0x000000u);
  EXPECT_EQ(Control<QPushButton>("Start")->text(), "Start New Round");
  SaveScreenshot(game(), "mn_game_round");

  TypeGuess("37");
  EXPECT_EQ(LastCue(), mystery::kCueRightGuess);
  Tick();
  EXPECT_EQ(Caption("HiLo"), " Correct answer! ");
  EXPECT_EQ(Caption("Progress"), " Round Over ");
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 10");
  EXPECT_TRUE(Control("Start")->isEnabled());

  TypeGuess("12");
  EXPECT_EQ(Control<QLineEdit>("Guess")->text(), "12") << "Enter between rounds is left to the box";
  EXPECT_EQ(game().Rules().Values().points, 10);
}

TEST_F(MNGameTest, TheGuessBoxTakesFourCharacters) {
  QTest::keyClicks(Control("Guess"), "12345");
  EXPECT_EQ(Control<QLineEdit>("Guess")->text(), "1234");
}

TEST_F(MNGameTest, GameOverPaintsTheRatingRed) {
  Tick();
  StartWith(37);
  game().Rules().Values().points = 1;
  TypeGuess("1");
  EXPECT_EQ(LastCue(), mystery::kCueGameOver);
  Tick();
  EXPECT_EQ(Caption("Progress"), " Game Over! ");
  EXPECT_EQ(Caption("Rating"), " Ha Ha Ha...You are a looser ");
  EXPECT_EQ(Control<forms::Label>("Rating")->BackColor(), 0xFF0000u);
  EXPECT_EQ(Control<forms::Label>("Rating")->ForeColor(), 0xFFFFFFu);
  EXPECT_EQ(Control<QPushButton>("Start")->text(), "Start New Game");
  EXPECT_TRUE(Control("Start")->isEnabled());
}

TEST_F(MNGameTest, LetMeCheatShowsAndHidesItsAids) {
  Tick();
  StartWith(37);
  Click("Cheat");
  EXPECT_EQ(LastCue(), mystery::kCueCheat);
  for (const char* aid : {"CheatM", "PointsPlus", "CheatPic", "Narrowed"}) EXPECT_TRUE(Shown(aid)) << aid;
  EXPECT_EQ(Caption("Narrowed"), "");
  Click("CheatM");
  EXPECT_EQ(Caption("Narrowed"), "Narrowed between 0 and 100");
  TypeGuess("50");
  Tick();
  EXPECT_EQ(Caption("Narrowed"), "Narrowed between 0 and 50");
  Click("PointsPlus");
  Tick();
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 10");
  SaveScreenshot(game(), "mn_game_cheating");

  Click("CheatM");
  EXPECT_FALSE(Shown("Narrowed"));
  EXPECT_EQ(Caption("Narrowed"), "Cheating markers disabled");
  Module1::soundCueId = FormValue();
  Click("Cheat");
  EXPECT_EQ(LastCue(), mystery::kCueCheat);
  for (const char* aid : {"CheatM", "PointsPlus", "CheatPic", "Narrowed"}) EXPECT_FALSE(Shown(aid)) << aid;
  Click("Cheat");
  EXPECT_TRUE(Shown("Narrowed"));
  EXPECT_EQ(Caption("Narrowed"), "Cheating markers disabled");
}

TEST_F(MNGameTest, PlaqueLooksPressedWhileHeldFromTheSecondPressOn) {
  const QImage normal = resources::LoadResPicture(mystery::kPlaqueNormal).toImage();
  const QImage pressed = resources::LoadResPicture(mystery::kPlaquePressed).toImage();
  ASSERT_NE(normal, pressed);
  auto look = [this] { return Control<QLabel>("Picture1")->pixmap().toImage(); };
  QWidget* plaque = Control("Picture1");
  EXPECT_EQ(look(), normal);
  QTest::mousePress(plaque, Qt::LeftButton);
  EXPECT_EQ(look(), normal) << "the first press after a load changes nothing";
  QTest::mouseRelease(plaque, Qt::LeftButton);
  EXPECT_EQ(look(), normal);
  QTest::mousePress(plaque, Qt::RightButton);
  EXPECT_EQ(look(), pressed);
  QTest::mouseRelease(plaque, Qt::RightButton);
  EXPECT_EQ(look(), normal);
  QTest::mousePress(plaque, Qt::MiddleButton);
  EXPECT_EQ(look(), pressed);
  QTest::mouseRelease(plaque, Qt::MiddleButton);
  EXPECT_EQ(game().Rules().Values().points, 0) << "the plaque has no other effect";
}

TEST_F(MNGameTest, QuitUnloadsOnlyTheGameAndAReopenKeepsTheScore) {
  Tick();
  StartWith(37);
  TypeGuess("50");
  Tick();
  Click("Quit");
  ProcessEvents();
  EXPECT_FALSE(game().IsLoaded());
  EXPECT_TRUE(Instance<Menu>().IsLoaded());
  EXPECT_EQ(ProcessEnds(), 0);

  OpenFromLauncher();
  EXPECT_EQ(Control<QPushButton>("Start")->text(), "Start New Game") << "controls as designed";
  EXPECT_TRUE(Control("Start")->isEnabled());
  EXPECT_EQ(Caption("HiLo"), "");
  Tick();
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 9");
  EXPECT_EQ(Caption("HiLo"), " Lower than 50");
  EXPECT_EQ(Control<QPushButton>("Start")->text(), "Start New Round");
  StartWith(20);
  Tick();
  EXPECT_EQ(Caption("RoundBox"), "You are playing Round # 2");
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 19");
}

TEST_F(MNGameTest, TheCloseBoxKeepsTheScoreToo) {
  game().Rules().Values().points = 42;
  game().Window()->close();
  EXPECT_FALSE(game().IsLoaded());
  OpenFromLauncher();
  Tick();
  EXPECT_EQ(Caption("ScoreBox"), "Your score is 42");
}

TEST_F(MNGameTest, HelpShowsTheGamesMessage) {
  MessageBoxWatcher watcher;
  game().mnuHelp_Click();
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Seen()->title, "Kelvaro #1");
  EXPECT_EQ(watcher.Seen()->buttons, QMessageBox::Ok);
  EXPECT_EQ(watcher.Seen()->icon, QMessageBox::NoIcon);
  EXPECT_EQ(watcher.Seen()->text,
            "The program is fairly easy to learn. The Computer will guess an increasingly higher number. Your job is "
            "to guess the number as quickly as possible without too much cheating. You start out with 10 points. For "
            "each incorrect guess, you loose a point, for each correct guess you gain a point. You also gain round "
            "bonus points upon completion of the round. If you have any other questions, Email me at: "
            "quillo@example.com   Enjoy this game!");
}

TEST_F(MNGameTest, InfoMenuAndTheSharedAboutBox) {
  const QList<QAction*> titles = game().Window()->menuBar()->actions();
  ASSERT_EQ(titles.size(), 1);
  EXPECT_EQ(titles[0]->text(), "Info");
  Instance<Menu>().mnuAbout_Click();
  forms::FormWindow* about = Instance<About>().Window();
  game().mnuAbout_Click();
  EXPECT_EQ(Instance<About>().Window(), about) << "the one About box comes forward";
}

}  // namespace
