#include <QPushButton>

#include "antenna/qw_antenna.h"
#include "decoder/resistor_decoder.h"
#include "keyboard.h"
#include "shell/menu.h"
#include "print_qstring.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

class KeyboardTest : public WindowTest {};

TEST_F(KeyboardTest, LauncherStartsAToolWithTabAndSpace) {
  Menu& menu = Instance<Menu>();
  menu.Show();
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

}  // namespace
