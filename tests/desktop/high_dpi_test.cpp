#include <QPixmap>
#include <QRadioButton>
#include <QTest>

#include "about/about.h"
#include "about/license.h"
#include "antenna/qw_antenna.h"
#include "decoder/resistor_decoder.h"
#include "forms/controls.h"
#include "game/mn_game.h"
#include "game/mn_rules.h"
#include "resources/resources.h"
#include "shell/menu.h"
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

// A picture loaded at 100 % carries a ratio of 1 and is scaled up when
// drawn; one drawn at twice the density carries 2 and twice the pixels.
void ExpectDrawnAtTwice(const QPixmap& picture, const QString& what) {
  EXPECT_FALSE(picture.isNull()) << what.toStdString();
  EXPECT_EQ(picture.devicePixelRatio(), 2.0) << what.toStdString();
  EXPECT_EQ(picture.size(), picture.deviceIndependentSize().toSize() * 2) << what.toStdString();
}

// Picture boxes that hold other controls show no picture of their own.
void ExpectSharpPictures(forms::Form& form, int count) {
  int shown = 0;
  for (const forms::Picture* picture : form.Window()->findChildren<forms::Picture*>()) {
    if (picture->pixmap().isNull()) continue;
    ExpectDrawnAtTwice(picture->pixmap(), picture->objectName());
    ++shown;
  }
  EXPECT_EQ(shown, count);
}

void ExpectSharpIcon(forms::Form& form) {
  const QIcon icon = form.Window()->windowIcon();
  const std::string title = form.Window()->windowTitle().toStdString();
  EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32))) << title;
  EXPECT_TRUE(icon.availableSizes().contains(QSize(64, 64))) << title << ": a drawn rendition for twice the density";
}

TEST_F(HighDpiTest, PicturesAndIconsAreTheRenditionsDrawnAtTwice) {
  for (forms::Form* form : std::initializer_list<forms::Form*>{&Instance<Menu>(), &Instance<MNGame>(),
                                                               &Instance<ResistorDecoder>(), &Instance<QWAntenna>()}) {
    form->Show();
    ExpectSharpIcon(*form);
  }
  Instance<About>().Show();  // a dialog, without an icon of its own
  ExpectSharpPictures(Instance<MNGame>(), 3);
  ExpectSharpPictures(Instance<About>(), 2);
}

TEST_F(HighDpiTest, PlaqueStaysSharpWhenPressed) {
  const QPixmap pressed = resources::LoadResPicture(mystery::kPlaquePressed);
  ExpectDrawnAtTwice(pressed, "pressed plaque");
  EXPECT_EQ(pressed.deviceIndependentSize().toSize(), QSize(192, 39));
  Instance<MNGame>().Show();
  QWidget* plaque = Find<QWidget>(Instance<MNGame>(), "Picture1");
  EXPECT_EQ(plaque->size(), QSize(192, 39)) << "the plaque box keeps the bitmap's size";
  // The first press after a load leaves the plaque as it is; the second sinks it.
  QTest::mousePress(plaque, Qt::LeftButton);
  QTest::mouseRelease(plaque, Qt::LeftButton);
  QTest::mousePress(plaque, Qt::RightButton);
  const QPixmap shown = static_cast<forms::Picture*>(plaque)->pixmap();
  ExpectDrawnAtTwice(shown, "plaque held down");
  EXPECT_EQ(shown.toImage(), pressed.toImage());
  QTest::mouseRelease(plaque, Qt::RightButton);
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
  ResistorDecoder& decoder = Instance<ResistorDecoder>();
  decoder.Show();
  Tick(decoder, "Timer1");
  ExpectDrawnAtTwice(decoder, {418, 383}, "decoder@2x");
  // Every multiplier's caption whole inside the window at this density too.
  auto* multiplier = Find<forms::Label>(decoder, "bandvalue(2)");
  for (int option = 21; option <= 29; ++option) {
    Find<QRadioButton>(decoder, QStringLiteral("Option%1").arg(option).toUtf8().constData())->setChecked(true);
    EXPECT_EQ(multiplier->width(), multiplier->sizeHint().width()) << multiplier->text().toStdString();
    EXPECT_LE(multiplier->x() + multiplier->width(), 418 - forms::Pixels(forms::kLabelEdgeMargin))
        << multiplier->text().toStdString();
  }
}

TEST_F(HighDpiTest, AboutBoxAndTerms) {
  Instance<About>().Show();
  ExpectDrawnAtTwice(Instance<About>(), {382, 515}, "about@2x");
  Instance<License>().Show();
  ExpectDrawnAtTwice(Instance<License>(), {599, 332}, "license@2x");
}

}  // namespace
