#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "about/about.h"
#include "about/license.h"
#include "antenna/qw_antenna.h"
#include "decoder/resistor_decoder.h"
#include "game/mn_game.h"
#include "keyboard.h"
#include "shell/menu.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

class KeyboardTest : public WindowTest {};

TEST_F(KeyboardTest, LauncherStartsAToolWithTabAndSpace) {
  Menu& menu = Instance<Menu>();
  menu.Show();
  Activate(menu);
  ASSERT_EQ(Focused(menu)->objectName(), "MsyNum");
  Press(menu, Qt::Key_Tab);
  ASSERT_EQ(Focused(menu)->objectName(), "ResDecoder");
  Press(menu, Qt::Key_Space);
  EXPECT_TRUE(Instance<ResistorDecoder>().IsLoaded());
  Instance<ResistorDecoder>().Unload();

  Press(menu, Qt::Key_Tab);
  Press(menu, Qt::Key_Tab);
  ASSERT_EQ(Focused(menu)->objectName(), "Quit");
  Press(menu, Qt::Key_Space);
  EXPECT_FALSE(menu.IsLoaded());
  EXPECT_EQ(ProcessEnds(), 1);
}

TEST_F(KeyboardTest, AntennaCalculatesOnEnterAndQuitsWithSpace) {
  QWAntenna& antenna = Instance<QWAntenna>();
  antenna.Show();
  Activate(antenna);
  ASSERT_EQ(Focused(antenna)->objectName(), "Command2");
  Press(antenna, Qt::Key_Tab);
  ASSERT_EQ(Focused(antenna)->objectName(), "Text1");
  Type(antenna, QStringLiteral("4.68"));
  Press(antenna, Qt::Key_Return);
  EXPECT_EQ(Find<forms::Label>(antenna, "Label3")->text(), "100 Feet");
  Type(antenna, QStringLiteral("x"));
  Press(antenna, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Find<forms::Label>(antenna, "Label3")->text(), "100 Feet") << "the box keeps its text: 4.68x reads 4.68";

  Press(antenna, Qt::Key_Tab);
  ASSERT_EQ(Focused(antenna)->objectName(), "Command2") << "the tab order has two stops";
  Press(antenna, Qt::Key_Space);
  EXPECT_FALSE(antenna.IsLoaded());
}

TEST_F(KeyboardTest, GameIsPlayedWithSpaceTypingAndEnter) {
  MNGame& game = Instance<MNGame>();
  game.Show();
  Activate(game);
  ASSERT_EQ(Focused(game)->objectName(), "Start");
  Press(game, Qt::Key_Space);
  ASSERT_FALSE(Find<QPushButton>(game, "Start")->isEnabled()) << "a round runs";
  ASSERT_EQ(Focused(game)->objectName(), "Guess") << "the focus leaves the disabled button for the next stop";

  const int hidden = game.Rules().Values().mysteryValue;
  const int wrong = hidden > 1 ? hidden - 1 : hidden + 1;
  Type(game, QString::number(wrong));
  Press(game, Qt::Key_Return);
  Tick(game, "UpdateAll");
  EXPECT_EQ(Find<forms::Label>(game, "HiLo")->text().trimmed(),
            QStringLiteral("%1 %2").arg(wrong < hidden ? "Higher than" : "Lower than").arg(wrong));

  // Quit Game, then the cheat row in its tab order.
  Press(game, Qt::Key_Tab);
  ASSERT_EQ(Focused(game)->objectName(), "Quit");
  Press(game, Qt::Key_Tab);
  ASSERT_EQ(Focused(game)->objectName(), "Cheat") << "hidden cheat aids take no focus";
  Press(game, Qt::Key_Space);
  Tick(game, "UpdateAll");
  ASSERT_TRUE(Find<QCheckBox>(game, "Cheat")->isChecked());
  Press(game, Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(Focused(game)->objectName(), "PointsPlus");
  const int points = game.Rules().Values().points;
  Press(game, Qt::Key_Space);
  EXPECT_EQ(game.Rules().Values().points, points + 1);
  Press(game, Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(Focused(game)->objectName(), "CheatM");
  Press(game, Qt::Key_Space);
  Tick(game, "UpdateAll");
  EXPECT_TRUE(Find<forms::Label>(game, "Narrowed")->isVisible());

  Press(game, Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(Focused(game)->objectName(), "Quit");
  Press(game, Qt::Key_Space);
  EXPECT_FALSE(game.IsLoaded());
}

TEST_F(KeyboardTest, DecoderBandsAreChosenWithTabAndTheArrowKeys) {
  ResistorDecoder& decoder = Instance<ResistorDecoder>();
  decoder.Show();
  Activate(decoder);
  ASSERT_EQ(Focused(decoder)->objectName(), "Option2") << "the focus starts on the first band's choice";
  Press(decoder, Qt::Key_Down);
  EXPECT_EQ(Focused(decoder)->objectName(), "Option3");
  EXPECT_TRUE(Find<QRadioButton>(decoder, "Option3")->isChecked()) << "an arrow key moves the choice too";

  Press(decoder, Qt::Key_Tab);
  ASSERT_EQ(Focused(decoder)->objectName(), "Option20") << "Tab goes to the second band's choice";
  Press(decoder, Qt::Key_Right);
  EXPECT_TRUE(Find<QRadioButton>(decoder, "Option15")->isChecked()) << "Green, right of Black";

  Press(decoder, Qt::Key_Tab);
  ASSERT_EQ(Focused(decoder)->objectName(), "Option24") << "then to the multiplier's choice";
  Press(decoder, Qt::Key_Down);
  EXPECT_TRUE(Find<QRadioButton>(decoder, "Option25")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(decoder, "Option3")->isChecked()) << "each band keeps its own choice";

  Tick(decoder, "Timer1");
  EXPECT_EQ(Find<forms::Label>(decoder, "readout")->text(), "2,500 OHMS");

  Press(decoder, Qt::Key_Tab);
  EXPECT_EQ(Focused(decoder)->objectName(), "Option3") << "the tab order goes round";
}

TEST_F(KeyboardTest, AboutBoxClosesWithEnterOrEscAndOpensTheTermsWithSpace) {
  About& about = Instance<About>();
  struct Closer {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int tabs;  // Enter presses the focused button; Esc works from anywhere
  };
  const Closer closers[] = {{Qt::Key_Return, Qt::NoModifier, 0},
                            {Qt::Key_Enter, Qt::KeypadModifier, 0},
                            {Qt::Key_Escape, Qt::NoModifier, 2}};
  for (const Closer& closer : closers) {
    about.Show();
    Activate(about);
    ASSERT_EQ(Focused(about)->objectName(), "cmdOK");
    for (int i = 0; i < closer.tabs; ++i) Press(about, Qt::Key_Tab);
    Press(about, closer.key, closer.modifiers);
    EXPECT_FALSE(about.IsLoaded()) << "key " << closer.key;
    ProcessEvents();
  }

  about.Show();
  Activate(about);
  Press(about, Qt::Key_Tab);
  ASSERT_EQ(Focused(about)->objectName(), "picIcon") << "the icon is a picture box, a tab stop";
  Press(about, Qt::Key_Tab);
  Press(about, Qt::Key_Tab);
  ASSERT_EQ(Focused(about)->objectName(), "Command1");
  Press(about, Qt::Key_Space);
  EXPECT_TRUE(Instance<License>().IsLoaded());
}

}  // namespace
