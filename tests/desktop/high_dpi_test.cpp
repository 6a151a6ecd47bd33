#include <QPixmap>

#include "antenna/qw_antenna.h"
#include "decoder/resistor_decoder.h"
#include "game/mn_game.h"
#include "shell/about.h"
#include "shell/license.h"
#include "shell/menu.h"
#include "print_qstring.h"
#include "support/window_test.h"

// Runs at 200 % scale: layouts stay in device-independent pixels while every
// window draws at twice the density. The scale must be set before the
// application object exists.
namespace {

const bool kTwiceTheDensity = qputenv("QT_SCALE_FACTOR", "2");

using forms::Instance;

class HighDpiTest : public WindowTest {};

void ExpectDrawnAtTwice(forms::Form& form, QSize client, const QString& screenshot) {
  forms::FormWindow* window = form.Window();
  ASSERT_TRUE(kTwiceTheDensity);
  ASSERT_EQ(window->devicePixelRatio(), 2.0);
  EXPECT_EQ(window->Client()->size(), client) << "the layout is that of 100 %";
  const QPixmap picture = window->grab();
  EXPECT_EQ(picture.size(), window->size() * 2);
  SaveScreenshot(form, screenshot);
}

TEST_F(HighDpiTest, Launcher) {
  Instance<Menu>().Show();
  ExpectDrawnAtTwice(Instance<Menu>(), {244, 203}, "menu@2x");
  EXPECT_TRUE(Instance<Menu>().Window()->windowIcon().availableSizes().contains(QSize(64, 64)))
      << "the program icon has a drawn rendition for twice the density";
}

TEST_F(HighDpiTest, Antenna) {
  Instance<QWAntenna>().Show();
  ExpectDrawnAtTwice(Instance<QWAntenna>(), {398, 136}, "antenna@2x");
}

TEST_F(HighDpiTest, Game) {
  Instance<MNGame>().Show();
  ExpectDrawnAtTwice(Instance<MNGame>(), {569, 285}, "game@2x");
}

TEST_F(HighDpiTest, Decoder) {
  Instance<ResistorDecoder>().Show();
  Tick(Instance<ResistorDecoder>(), "Timer1");
  ExpectDrawnAtTwice(Instance<ResistorDecoder>(), {418, 383}, "decoder@2x");
}

TEST_F(HighDpiTest, AboutBoxAndTerms) {
  Instance<About>().Show();
  ExpectDrawnAtTwice(Instance<About>(), {382, 515}, "about@2x");
  Instance<License>().Show();
  ExpectDrawnAtTwice(Instance<License>(), {599, 332}, "license@2x");
}

}  // namespace
