#include "resources/resources.h"

#include <QFile>
#include <QImage>
#include <QString>
#include <QtEndian>

#include "core/runtime_error.h"
#include "forms/pictures.h"

namespace resources {
namespace {

constexpr int kInvalidPicture = 481;

QString PathOf(int id, std::string_view type) {
  return QStringLiteral(":/res/%1/%2").arg(QString::fromUtf8(type.data(), qsizetype(type.size())).toUpper()).arg(id);
}

QByteArray Load(int id, std::string_view type) {
  QFile file(PathOf(id, type));
  if (!file.open(QIODevice::ReadOnly)) {
    throw RuntimeError(RuntimeError::kResourceNotFound,
                       "Resource with identifier '" + std::to_string(id) + "' not found");
  }
  return file.readAll();
}

quint32 Read32(const QByteArray& bytes, int offset) { return qFromLittleEndian<quint32>(bytes.constData() + offset); }

quint16 Read16(const QByteArray& bytes, int offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); }

// A stored bitmap lacks the 14-byte file header that an image reader expects
// in front of it; the header's only real content is where the pixels start.
QByteArray WithFileHeader(const QByteArray& dib) {
  constexpr int kFileHeader = 14;
  if (dib.size() < 40) return {};
  const quint32 headerSize = Read32(dib, 0);
  const quint16 bits = Read16(dib, 14);
  const quint32 compression = Read32(dib, 16);
  quint32 colours = Read32(dib, 32);
  if (colours == 0 && bits <= 8) colours = 1u << bits;
  const quint32 masks = (compression == 3 && headerSize == 40) ? 12 : 0;
  const quint32 pixels = kFileHeader + headerSize + masks + colours * 4;

  QByteArray file(kFileHeader, '\0');
  file[0] = 'B';
  file[1] = 'M';
  qToLittleEndian<quint32>(quint32(kFileHeader + dib.size()), file.data() + 2);
  qToLittleEndian<quint32>(pixels, file.data() + 10);
  return file + dib;
}

}  // namespace

std::vector<std::uint8_t> LoadResData(int id, std::string_view type) {
  const QByteArray bytes = Load(id, type);
  return {bytes.begin(), bytes.end()};
}

QPixmap LoadResPicture(int id) {
  const QPixmap rendition = forms::DenseRendition(forms::TwiceTheDensity(PathOf(id, "BITMAP")));
  if (!rendition.isNull()) return rendition;
  QImage image;
  if (!image.loadFromData(WithFileHeader(Load(id, "BITMAP")), "BMP")) {
    throw RuntimeError(kInvalidPicture, "Invalid picture");
  }
  return QPixmap::fromImage(image);
}

}  // namespace resources
