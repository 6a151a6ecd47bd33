// Draws the game window's pictures: the "Cheater" picture, the logo banner and
// the window icon, each also at twice the density ("@2x"), into the folder
// given; scripts/make-assets.sh builds and runs it. The words are drawn in an
// installed font, so those pictures depend on the fonts the machine has.
//
//   game_pictures game/pictures

#include <cmath>
#include <iterator>
#include <numbers>

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include "core/author.h"
#include "resources/tools/palette16.h"

namespace {

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Text with a dark outline, centred on `centre`.
void OutlinedText(QPainter& painter, const QString& text, const QFont& font, QPointF centre, const QColor& fill,
                  const QColor& outline, double outlineWidth) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  path.translate(centre - box.center());
  painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(fill);
  painter.drawPath(path);
}

// Deep blue arms winding around the centre. Every picture is drawn `scale`
// times as dense, its measures in the picture's own pixels.
QImage Cheater(int scale) {
  QImage image(200 * scale, 100 * scale, QImage::Format_RGB32);
  const QColor deep(0x06, 0x0A, 0x38), light(0x1E, 0x4A, 0xB8);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double dx = double(x) / scale - 100.0, dy = (double(y) / scale - 50.0) * 2.0;
      const double radius = std::hypot(dx, dy);
      const double arms = std::sin(3.0 * std::atan2(dy, dx) + radius * 0.16);
      const double fade = std::min(1.0, radius / 90.0);
      image.setPixelColor(x, y, Mix(deep, light, (0.5 + 0.5 * arms) * (0.35 + 0.65 * fade)));
    }
  }
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  QFont font("DejaVu Sans");
  font.setPixelSize(44);
  font.setWeight(QFont::Black);
  OutlinedText(painter, "Cheater", font, {100, 50}, QColor(0xFF, 0xB4, 0x10), QColor(0x30, 0x10, 0x00), 3.0);
  return image;
}

// A glowing disc with a four-pointed star.
void Emblem(QPainter& painter, QPointF centre) {
  QRadialGradient glow(centre, 16);
  glow.setColorAt(0.0, QColor(0xFF, 0xFF, 0xE0));
  glow.setColorAt(0.35, QColor(0xFF, 0xD8, 0x40));
  glow.setColorAt(0.7, QColor(0xC0, 0x50, 0xC0, 0x90));
  glow.setColorAt(1.0, QColor(0x40, 0x10, 0x50, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(centre, 16, 16);
  QPainterPath star;
  for (int i = 0; i < 8; ++i) {
    const double angle = i * std::numbers::pi / 4;
    const double reach = i % 2 == 0 ? 11.0 : 3.0;
    const QPointF point = centre + QPointF(std::cos(angle) * reach, std::sin(angle) * reach);
    i == 0 ? star.moveTo(point) : star.lineTo(point);
  }
  star.closeSubpath();
  painter.setBrush(QColor(0xFF, 0xFF, 0xF0));
  painter.drawPath(star);
}

// The maker's name at both ends, the emblem between.
QImage LogoBanner(int scale) {
  QImage image(222 * scale, 33 * scale, QImage::Format_RGB32);
  const QColor dark(0x24, 0x06, 0x30), lighter(0x4A, 0x16, 0x5C);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double u = double(x) / scale, v = double(y) / scale;
      const double weave = std::sin((u + v) * 0.45) * std::sin((u - v) * 0.45);
      image.setPixelColor(x, y, Mix(dark, lighter, 0.5 + 0.5 * weave));
    }
  }
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  // The name stacked in two lines at either end.
  const QStringList lines = QString::fromUtf8(author::kMaker).split(' ');
  QFont font("DejaVu Sans");
  font.setPixelSize(12);
  font.setBold(true);
  const QColor yellow(0xFF, 0xE0, 0x20), shadow(0x10, 0x00, 0x18);
  for (const double x : {44.0, 178.0}) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
      const double y = 16.5 + (i - (lines.size() - 1) / 2.0) * 13.0;
      OutlinedText(painter, lines[i], font, {x, y}, yellow, shadow, 0.6);
    }
  }
  Emblem(painter, {111, 16.5});
  return image;
}

// Nested squares, 32 x 32 in 16 colours.
QImage Icon(int scale) {
  QImage image(32 * scale, 32 * scale, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.scale(scale, scale);
  const int rings[] = {4, 15, 1, 11};  // navy, white, maroon, yellow
  for (int i = 0; i < 4; ++i)
    painter.fillRect(i * 4, i * 4, 32 - i * 8, 32 - i * 8, QColor::fromRgb(kPalette16[rings[i]]));
  painter.end();
  return image.convertToFormat(QImage::Format_Indexed8, QList<QRgb>(std::begin(kPalette16), std::end(kPalette16)),
                               Qt::ThresholdDither);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    QTextStream(stderr) << "usage: game_pictures <pictures folder>\n";
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const struct {
    const char* file;
    QImage image;
  } pictures[] = {{"cheater.png", Cheater(1)},        {"cheater@2x.png", Cheater(2)},
                  {"logo_banner.png", LogoBanner(1)}, {"logo_banner@2x.png", LogoBanner(2)},
                  {"mn_game_icon.png", Icon(1)},      {"mn_game_icon@2x.png", Icon(2)}};
  for (const auto& picture : pictures) {
    const QString path = out.filePath(QString::fromUtf8(picture.file));
    if (!picture.image.save(path)) {
      QTextStream(stderr) << "cannot write " << path << '\n';
      return 1;
    }
  }
  return 0;
}
