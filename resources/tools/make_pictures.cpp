// Draws the title plaque in its two looks and the program icon, and writes
// them in the forms the executable embeds, the plaque also at twice the
// density for high-DPI screens, into the resources folder given:
//   make_pictures resources
// scripts/make-assets.sh builds and runs it. The words are drawn in an
// installed font, so the plaque's pixels depend on the fonts the machine has.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cmath>
#include <cstdio>

#include "resources/tools/palette16.h"

namespace {

constexpr int kPlaqueWidth = 192;
constexpr int kPlaqueHeight = 39;
constexpr QRgb kGameBackground = 0xFF8C6636;  // the game window shows around the plaque's corners

void Append16(QByteArray& out, quint16 value) {
  value = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&value), 2);
}

void Append32(QByteArray& out, quint32 value) {
  value = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&value), 4);
}

QByteArray InfoHeader(int width, int height, int bits, quint32 imageSize, quint32 colours) {
  QByteArray header;
  Append32(header, 40);
  Append32(header, width);
  Append32(header, height);
  Append16(header, 1);
  Append16(header, bits);
  Append32(header, 0);  // uncompressed
  Append32(header, imageSize);
  Append32(header, 2835);  // 72 dots per inch
  Append32(header, 2835);
  Append32(header, colours);
  Append32(header, 0);
  return header;
}

// A 24-bit bottom-up bitmap without file header. The four zero bytes after
// the rows are part of the stored resource.
QByteArray Dib24(const QImage& image) {
  const int stride = (image.width() * 3 + 3) & ~3;
  QByteArray out = InfoHeader(image.width(), image.height(), 24, stride * image.height(), 0);
  for (int y = image.height() - 1; y >= 0; --y) {
    QByteArray row(stride, '\0');
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      row[x * 3] = char(qBlue(pixel));
      row[x * 3 + 1] = char(qGreen(pixel));
      row[x * 3 + 2] = char(qRed(pixel));
    }
    out += row;
  }
  out += QByteArray(4, '\0');
  return out;
}

// Warm wood: broad rings bent by slow waves, with fine streaks along them.
QRgb Wood(double x, double y, double shade) {
  const double bend = 2.6 * std::sin(x * 0.043) + 1.2 * std::sin(x * 0.117 + 1.3);
  const double ring = 0.5 + 0.5 * std::sin((y + bend) * 0.95);
  const double streak = 0.5 + 0.5 * std::sin((y + 0.6 * bend) * 3.1 + std::sin(x * 0.31) * 0.8);
  const double t = 0.7 * ring + 0.3 * streak;
  auto mix = [&](int light, int dark) { return int((light * (1 - t) + dark * t) * shade); };
  return qRgb(mix(205, 139), mix(146, 86), mix(84, 40));
}

// The plaque drawn `scale` times as dense; every measure below is in the
// plaque's own pixels.
QImage Plaque(bool pressed, int scale) {
  QImage image(kPlaqueWidth * scale, kPlaqueHeight * scale, QImage::Format_RGB32);
  image.fill(kGameBackground);

  QImage wood(image.size(), QImage::Format_RGB32);
  for (int y = 0; y < wood.height(); ++y)
    for (int x = 0; x < wood.width(); ++x)
      wood.setPixel(x, y, Wood(double(x) / scale, double(y) / scale, pressed ? 0.86 : 1.0));
  QBrush grain(wood);
  grain.setTransform(QTransform::fromScale(1.0 / scale, 1.0 / scale));

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  const QRectF panel(0.5, 0.5, kPlaqueWidth - 1.0, kPlaqueHeight - 1.0);
  QPainterPath outline;
  outline.addRoundedRect(panel, 9, 9);
  painter.fillPath(outline, grain);

  // A bevel: lit from the top left, or sunk in when pressed.
  const QColor light(255, 226, 170, 170), dark(50, 24, 6, 190);
  painter.setPen(QPen(pressed ? dark : light, 1.5));
  painter.drawPath(QPainterPath(outline).intersected([&] {
    QPainterPath topLeft;
    topLeft.addRect(0, 0, kPlaqueWidth, kPlaqueHeight / 2.0);
    return topLeft;
  }()));
  painter.setPen(QPen(pressed ? light : dark, 1.5));
  painter.drawPath(QPainterPath(outline).intersected([&] {
    QPainterPath bottom;
    bottom.addRect(0, kPlaqueHeight / 2.0, kPlaqueWidth, kPlaqueHeight);
    return bottom;
  }()));
  painter.setPen(QPen(QColor(58, 30, 10), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(outline);

  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(26);
  font.setBold(true);
  QPainterPath words;
  words.addText(0, 0, font, QStringLiteral("Mystery Number"));
  const QRectF box = words.boundingRect();
  const double fit = std::min(170.0 / box.width(), 25.0 / box.height());
  QTransform place;
  const double shift = pressed ? 1.0 : 0.0;
  place.translate(kPlaqueWidth / 2.0 + shift, kPlaqueHeight / 2.0 + shift);
  place.scale(fit, fit);
  place.translate(-box.center().x(), -box.center().y());
  words = place.map(words);

  QLinearGradient fill(0, words.boundingRect().top(), 0, words.boundingRect().bottom());
  if (pressed) {
    fill.setColorAt(0.0, QColor(176, 34, 28));
    fill.setColorAt(0.55, QColor(128, 14, 12));
    fill.setColorAt(1.0, QColor(84, 6, 6));
  } else {
    fill.setColorAt(0.0, QColor(255, 244, 170));
    fill.setColorAt(0.45, QColor(240, 196, 58));
    fill.setColorAt(1.0, QColor(166, 112, 14));
  }
  painter.setPen(QPen(QColor(36, 16, 4), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(words);
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawPath(words);
  painter.end();
  return image;
}

// The program icon on a 32-unit grid: a resistor with its colour bands on a
// teal tile, a spark of the workbench in the corner.
QImage Icon(int size, bool fullColour) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, fullColour);
  painter.scale(size / 32.0, size / 32.0);
  auto colour = [](int index) { return QColor::fromRgb(kPalette16[index]); };

  painter.setPen(Qt::NoPen);
  painter.setBrush(colour(0));
  painter.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
  painter.setBrush(colour(6));
  painter.drawRoundedRect(QRectF(2, 2, 28, 28), 4, 4);
  painter.setBrush(colour(14));
  painter.drawRect(QRectF(4, 4, 15, 1));

  painter.setBrush(colour(7));  // leads
  painter.drawRect(QRectF(3, 15, 26, 2));
  painter.setBrush(colour(0));
  painter.drawRoundedRect(QRectF(7, 10, 18, 12), 3, 3);
  painter.setBrush(colour(11));  // body
  painter.drawRoundedRect(QRectF(8, 11, 16, 10), 2, 2);
  painter.setBrush(colour(15));
  painter.drawRect(QRectF(10, 12, 12, 1));
  const int bands[] = {1, 0, 9, 3};  // brown, black, red, gold
  const double places[] = {10, 13, 16, 20};
  for (int i = 0; i < 4; ++i) {
    painter.setBrush(colour(bands[i]));
    painter.drawRect(QRectF(places[i], 11, 2, 10));
  }

  painter.setBrush(colour(15));  // spark
  const QPolygonF star({{25.5, 2}, {26.5, 6}, {30.5, 7}, {26.5, 8}, {25.5, 12}, {24.5, 8}, {20.5, 7}, {24.5, 6}});
  painter.drawPolygon(star);
  painter.end();
  return image;
}

int Nearest(QRgb pixel) {
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < 16; ++i) {
    const int dr = qRed(pixel) - qRed(kPalette16[i]), dg = qGreen(pixel) - qGreen(kPalette16[i]),
              db = qBlue(pixel) - qBlue(kPalette16[i]);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) best = i, bestDistance = distance;
  }
  return best;
}

// The 32 x 32, 16-colour icon: the picture in palette colours and a
// transparency mask, bottom-up, with the header's height doubled.
QByteArray IconDib(const QImage& icon) {
  QByteArray out = InfoHeader(32, 64, 4, 32 * 16 + 32 * 4, 0);
  for (QRgb colour : kPalette16) {
    out.append(char(qBlue(colour)));
    out.append(char(qGreen(colour)));
    out.append(char(qRed(colour)));
    out.append('\0');
  }
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; x += 2) out.append(char((Nearest(icon.pixel(x, y)) << 4) | Nearest(icon.pixel(x + 1, y))));
  for (int y = 31; y >= 0; --y) {
    for (int byte = 0; byte < 4; ++byte) {
      int bits = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (qAlpha(icon.pixel(byte * 8 + bit, y)) < 128) bits |= 0x80 >> bit;
      out.append(char(bits));
    }
  }
  return out;
}

QByteArray IconGroup(quint16 iconId, int iconBytes) {
  QByteArray out;
  Append16(out, 0);
  Append16(out, 1);  // icons
  Append16(out, 1);  // one entry
  out.append(char(32));
  out.append(char(32));
  out.append(char(16));
  out.append('\0');
  Append16(out, 1);
  Append16(out, 4);
  Append32(out, iconBytes);
  Append16(out, iconId);
  return out;
}

// The 16-colour icon exactly as the icon resource holds it.
QImage PaletteIcon(const QImage& drawn) {
  QImage image(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      image.setPixel(x, y, qAlpha(drawn.pixel(x, y)) < 128 ? 0u : kPalette16[Nearest(drawn.pixel(x, y))]);
  return image;
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <resources folder>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = Write(out.filePath("pictures/plaque_normal.dib"), Dib24(Plaque(false, 1))) &&
            Write(out.filePath("pictures/plaque_pressed.dib"), Dib24(Plaque(true, 1))) &&
            Plaque(false, 2).save(out.filePath("pictures/plaque_normal@2x.png")) &&
            Plaque(true, 2).save(out.filePath("pictures/plaque_pressed@2x.png"));

  const QImage icon = Icon(32, false);
  const QByteArray iconDib = IconDib(icon);
  ok = ok && Write(out.filePath("icons/kelvaro.ico.dib"), iconDib) &&
       Write(out.filePath("icons/kelvaro.group"), IconGroup(30001, iconDib.size())) &&
       PaletteIcon(icon).save(out.filePath("icons/kelvaro.png"));
  for (int size : {16, 24, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
    ok = ok && out.mkpath(folder) && Icon(size, true).save(out.filePath(folder + "/kelvaro.png"));
  }
  return ok ? 0 : 1;
}
