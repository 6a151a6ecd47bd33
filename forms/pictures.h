#pragma once

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QString>

// Pictures with a rendition drawn at twice the density beside them, "name@2x.ext"
// next to "name.ext", so that high-DPI screens show them sharp instead of
// scaled up. Inline so that the resource loader, below the forms, shares them.
namespace forms {

inline QString TwiceTheDensity(const QString& path) {
  const qsizetype dot = path.lastIndexOf('.');
  const bool hasExtension = dot > path.lastIndexOf('/');
  return hasExtension ? path.left(dot) + QStringLiteral("@2x") + path.mid(dot) : path + QStringLiteral("@2x");
}

// The picture at `path`, read by the reader built in for the format its
// extension names (PNG, XPM): left to find the format itself, Qt first loads
// every image-format plugin to ask each whether it can read the file. A path
// without an extension is still looked into.
inline QPixmap ReadPicture(const QString& path) {
  const QString format = QFileInfo(path).suffix();
  QImageReader reader(path, format.toLatin1());
  reader.setAutoDetectImageFormat(format.isEmpty());
  return QPixmap::fromImage(reader.read());
}

// Whether some screen draws at twice the density or more.
inline bool DenseScreens() { return qGuiApp != nullptr && qGuiApp->devicePixelRatio() >= 2.0; }

// The rendition at `twice` when the screens are dense and it exists; a null
// picture otherwise. It covers the same device-independent size as the
// picture it stands in for.
inline QPixmap DenseRendition(const QString& twice) {
  QPixmap rendition;
  if (DenseScreens() && QFile::exists(twice)) rendition = ReadPicture(twice);
  if (!rendition.isNull()) rendition.setDevicePixelRatio(2.0);
  return rendition;
}

// The picture at `path`, or its rendition at twice the density where that
// shows sharper.
inline QPixmap LoadPicture(const QString& path) {
  const QPixmap rendition = DenseRendition(TwiceTheDensity(path));
  return rendition.isNull() ? ReadPicture(path) : rendition;
}

// A window icon with both renditions, whatever the screens now: the window
// manager picks the size it draws.
inline QIcon LoadIcon(const QString& path) {
  QIcon icon;
  icon.addPixmap(ReadPicture(path));
  const QString twice = TwiceTheDensity(path);
  if (QFile::exists(twice)) icon.addPixmap(ReadPicture(twice));
  return icon;
}

}  // namespace forms
