#include <QPushButton>

#include "decoder/resistor_decoder.h"
#include "keyboard.h"
#include "shell/menu.h"
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

}  // namespace
