#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "about/about.h"
#include "about/license.h"
#include "antenna/qw_antenna.h"
#include "decoder/resistor_decoder.h"
#include "game/mn_game.h"
#include "shell/menu.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

int FormWindowsOnScreen() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (dynamic_cast<forms::FormWindow*>(widget) && widget->isVisible()) ++count;
  }
  return count;
}

class MenuTest : public WindowTest {
 protected:
  MenuTest() { Instance<Menu>().Show(); }
  void Click(const char* name) { Find<QPushButton>(Instance<Menu>(), name)->click(); }
};

struct ButtonRow {
  const char* name;
  const char* caption;
  QRect pixels;
};

TEST_F(MenuTest, OpensAsDesigned) {
  Menu& menu = Instance<Menu>();
  forms::FormWindow* window = menu.Window();
  EXPECT_EQ(window->windowTitle(), "Menu Tool");
  ExpectClientArea(menu, QRect(421, 118, 244, 203), QColor(0x00, 0x80, 0x80));

  auto* heading = Find<forms::Label>(menu, "Label1");
  EXPECT_EQ(heading->text(), "Please select desired program");
  EXPECT_EQ(heading->pos(), QPoint(8, 4));
  EXPECT_EQ(heading->ForeColor(), 0xFF8000u);
  EXPECT_EQ(heading->BackColor(), 0x004040u);

  const ButtonRow rows[] = {
      {"MsyNum", "Mystery Number Game", {36, 108, 165, 21}},
      {"ResDecoder", "Quillo's Resistor Decoder", {36, 44, 165, 21}},
      {"QWAnt", "Quarter Wave Antenna ", {36, 76, 165, 21}},
      {"Quit", "Exit to Windows", {68, 168, 105, 29}},
  };
  QWidget* expectedNext = Find<QPushButton>(menu, "MsyNum");
  EXPECT_EQ(window->focusWidget(), expectedNext) << "opens with the focus on Mystery Number Game";
  for (const ButtonRow& row : rows) {
    auto* button = Find<QPushButton>(menu, row.name);
    EXPECT_EQ(button->text(), row.caption);
    EXPECT_EQ(button->geometry(), row.pixels) << row.name;
    EXPECT_TRUE(button->font().bold());
    EXPECT_EQ(button, expectedNext) << "tab order";
    expectedNext = button->nextInFocusChain();
  }
  EXPECT_EQ(Find<QPushButton>(menu, "MsyNum")->palette().color(QPalette::Button), QColor(0xC0, 0xC0, 0xC0));
  SaveScreenshot(menu, "menu");
}

TEST_F(MenuTest, CarriesTheInfoMenu) {
  const QList<QAction*> titles = Instance<Menu>().Window()->menuBar()->actions();
  ASSERT_EQ(titles.size(), 1);
  EXPECT_EQ(titles[0]->text(), "Info");
  const QList<QAction*> items = titles[0]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "Help!");
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[2]->text(), "About");
}

TEST_F(MenuTest, HelpShowsTheLaunchersMessage) {
  MessageBoxWatcher watcher;
  Instance<Menu>().mnuHelp_Click();
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Seen()->title, "Kelvaro #1");
  EXPECT_EQ(watcher.Seen()->text,
            "Simply select the program you wish to run. Each program has a help menu for your convienience. The "
            "programs are all email ware. If you like or use any of these programs, email me at the address at the end "
            "of this message. I want to hear from you! Positive or negative comments, suggestions etc... If you find "
            "any bugs in any of these programs, please let me know by contacting me at:   quillo@example.com    "
            "ENJOY!");
}

TEST_F(MenuTest, EachToolButtonShowsTheOneInstanceOfItsTool) {
  Click("QWAnt");
  forms::FormWindow* antenna = Instance<QWAntenna>().Window();
  ASSERT_NE(antenna, nullptr);
  Click("QWAnt");
  EXPECT_EQ(Instance<QWAntenna>().Window(), antenna);
  Click("MsyNum");
  Click("MsyNum");
  Click("ResDecoder");
  Click("ResDecoder");
  Instance<Menu>().mnuAbout_Click();
  Instance<Menu>().mnuAbout_Click();
  EXPECT_TRUE(Instance<MNGame>().IsLoaded());
  EXPECT_TRUE(Instance<ResistorDecoder>().IsLoaded());
  EXPECT_TRUE(Instance<About>().IsLoaded());
  EXPECT_EQ(FormWindowsOnScreen(), 5);
  EXPECT_TRUE(Instance<Menu>().Window()->isVisible()) << "the launcher stays open";
}

TEST_F(MenuTest, ExitWithNoToolEverOpenedCreatesTheInstancesAndEndsTheProgram) {
  Click("Quit");
  EXPECT_TRUE(forms::Project::Current().Has<MNGame>());
  EXPECT_TRUE(forms::Project::Current().Has<License>());
  EXPECT_FALSE(Instance<Menu>().IsLoaded());
  EXPECT_EQ(forms::Form::LoadedCount(), 0);
  EXPECT_EQ(ProcessEnds(), 1);
}

TEST_F(MenuTest, ExitUnloadsEveryWindowInTheFixedOrder) {
  Click("QWAnt");
  Click("ResDecoder");
  Click("MsyNum");
  Instance<License>().Show();
  Instance<About>().Show();
  QStringList closed;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = dynamic_cast<forms::FormWindow*>(widget)) {
      QObject::connect(window, &QObject::destroyed, [&closed, title = window->windowTitle()] { closed << title; });
    }
  }
  Click("Quit");
  ProcessEvents();
  EXPECT_EQ(closed,
            QStringList({"Mystery Number..... by R. Quillo", "Quarter Wave Antenna by R. Quillo",
                         "Resistor De-Coder          by R. Quillo", "About Kelvaro #1", "License", "Menu Tool"}));
  EXPECT_EQ(ProcessEnds(), 1);
}

TEST_F(MenuTest, ClosingOnlyTheLauncherLeavesAnOpenToolRunning) {
  Click("MsyNum");
  Instance<Menu>().Window()->close();
  EXPECT_FALSE(Instance<Menu>().IsLoaded());
  EXPECT_TRUE(Instance<MNGame>().IsLoaded());
  EXPECT_EQ(ProcessEnds(), 0);
  Instance<MNGame>().Window()->close();
  EXPECT_EQ(ProcessEnds(), 1);
}

}  // namespace
