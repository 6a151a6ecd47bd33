#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "forms/pictures.h"
#include "resources/resources.h"
#include "support/window_test.h"

namespace {

TEST(TwiceTheDensity, SitsBesideThePictureBeforeItsExtension) {
  EXPECT_EQ(forms::TwiceTheDensity(":/about/logo.png"), ":/about/logo@2x.png");
  EXPECT_EQ(forms::TwiceTheDensity(":/antenna/qw_antenna.xpm"), ":/antenna/qw_antenna@2x.xpm");
  EXPECT_EQ(forms::TwiceTheDensity(":/res/BITMAP/1"), ":/res/BITMAP/1@2x") << "no extension";
  EXPECT_EQ(forms::TwiceTheDensity("/tmp/v1.2/plaque"), "/tmp/v1.2/plaque@2x") << "a dot in a folder name";
}

class PicturesTest : public WindowTest {};

// The renditions at twice the density stay out of the way at 100 %.
TEST_F(PicturesTest, AtOneHundredPercentThePicturesAreTheOnesDrawnForIt) {
  ASSERT_LT(qGuiApp->devicePixelRatio(), 2.0);
  const QPixmap logo = forms::LoadPicture(":/about/logo.png");
  EXPECT_EQ(logo.devicePixelRatio(), 1.0);
  EXPECT_EQ(logo.toImage(), QPixmap(":/about/logo.png").toImage());
  for (int id : {1, 2}) {
    const QPixmap plaque = resources::LoadResPicture(id);
    EXPECT_EQ(plaque.devicePixelRatio(), 1.0) << id;
    EXPECT_EQ(plaque.size(), QSize(192, 39)) << id;
  }
}

// Each rendition is the same picture at twice the size, whatever its format.
TEST_F(PicturesTest, EveryRenditionIsTwiceItsPicture) {
  for (const char* path : {":/about/logo.png", ":/about/icon.png", ":/game/cheater.png", ":/game/logo_banner.png",
                           ":/game/mn_game_icon.png", ":/decoder/resistor_decoder.png", ":/antenna/qw_antenna.xpm",
                           ":/icons/kelvaro.png"}) {
    const QImage picture(path), rendition(forms::TwiceTheDensity(path));
    ASSERT_FALSE(picture.isNull()) << path;
    EXPECT_EQ(rendition.size(), picture.size() * 2) << path;
  }
  const QImage plaque(":/res/BITMAP/1@2x"), pressed(":/res/BITMAP/2@2x");
  EXPECT_EQ(plaque.size(), QSize(384, 78));
  EXPECT_EQ(pressed.size(), QSize(384, 78));
  EXPECT_NE(plaque, pressed);
}

TEST_F(PicturesTest, WindowIconsOfferBothRenditionsWhereThereAreTwo) {
  for (const char* path : {":/decoder/resistor_decoder.png", ":/antenna/qw_antenna.xpm"}) {
    const QIcon both = forms::LoadIcon(path);
    EXPECT_EQ(both.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(64, 64)})) << path;
    EXPECT_EQ(both.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32),
              QImage(path).convertToFormat(QImage::Format_ARGB32))
        << path;
  }

  QTemporaryDir folder;
  const QString alone = folder.filePath("alone.png");
  QImage(16, 16, QImage::Format_RGB32).save(alone);
  EXPECT_EQ(forms::LoadIcon(alone).availableSizes(), QList<QSize>{QSize(16, 16)});
}

}  // namespace
