#include "forms/look.h"

#include <QApplication>
#include <QIconEngine>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace forms {
namespace {

// The light palette the windows were drawn under; active and inactive windows
// share a colour, a disabled control may have its own.
struct RoleColors {
  QPalette::ColorRole role;
  QRgb normal;
  QRgb disabled;
};
// clang-format off
constexpr RoleColors kLight[] = {
    {QPalette::WindowText,      0x000000, 0xBEBEBE},
    {QPalette::Button,          0xEFEFEF, 0xEFEFEF},
    {QPalette::Light,           0xFFFFFF, 0xFFFFFF},
    {QPalette::Midlight,        0xCACACA, 0xCACACA},
    {QPalette::Dark,            0x9F9F9F, 0xBEBEBE},
    {QPalette::Mid,             0xB8B8B8, 0xB8B8B8},
    {QPalette::Text,            0x000000, 0xBEBEBE},
    {QPalette::BrightText,      0xFFFFFF, 0xFFFFFF},
    {QPalette::ButtonText,      0x000000, 0xBEBEBE},
    {QPalette::Base,            0xFFFFFF, 0xEFEFEF},
    {QPalette::Window,          0xEFEFEF, 0xEFEFEF},
    {QPalette::Shadow,          0x767676, 0xB1B1B1},
    {QPalette::Highlight,       0x308CC6, 0x919191},
    {QPalette::HighlightedText, 0xFFFFFF, 0xFFFFFF},
    {QPalette::Link,            0x0000FF, 0x0000FF},
    {QPalette::LinkVisited,     0xFF00FF, 0xFF00FF},
    {QPalette::AlternateBase,   0xF7F7F7, 0xF7F7F7},
    {QPalette::ToolTipBase,     0xFFFFDC, 0xFFFFDC},
    {QPalette::ToolTipText,     0x000000, 0x000000},
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    {QPalette::Accent,          0x308CC6, 0x919191},
#endif
};
// clang-format on

QPalette LightPalette() {
  QPalette palette;
  for (const RoleColors& colors : kLight) {
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      palette.setColor(group, colors.role, QColor(colors.normal));
    }
    palette.setColor(QPalette::Disabled, colors.role, QColor(colors.disabled));
  }
  // Half-transparent black, as the light look greys a text box's hint.
  palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
  return palette;
}

// A standard icon of the style, read only when something first sizes or
// draws it. Reading the picture makes Qt ask every image-format plugin whether
// it can, loading them all.
class DeferredIcon : public QIconEngine {
 public:
  DeferredIcon(QStyle* style, QStyle::StandardPixmap which, Qt::LayoutDirection direction)
      : style_(style), which_(which), direction_(direction) {}

  QIconEngine* clone() const override { return new DeferredIcon(*this); }
  // Asked whenever the button is laid out; the style's picture is never null.
  bool isNull() override { return false; }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, 1.0, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return Icon().pixmap(size / scale, scale, mode, state);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }

 private:
  const QIcon& Icon() {
    if (!read_ && style_ != nullptr) {
      QStyleOption option;
      option.direction = direction_;
      icon_ = style_->standardIcon(which_, &option);
    }
    read_ = true;
    return icon_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap which_;
  Qt::LayoutDirection direction_;
  bool read_ = false;
  QIcon icon_;
};

// Fusion, except that the icon of a menu bar's extension button, which every
// menu bar asks for as it is made, is read when first needed. The button only
// shows when a menu bar is narrower than its menus, which none of the windows
// ever is, so the image-format plugins stay unloaded.
class DesignedStyle : public QProxyStyle {
 public:
  DesignedStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
    if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton) {
      return QProxyStyle::standardIcon(which, option, widget);
    }
    const Qt::LayoutDirection direction = option != nullptr   ? option->direction
                                          : widget != nullptr ? widget->layoutDirection()
                                                              : QGuiApplication::layoutDirection();
    return QIcon(new DeferredIcon(baseStyle(), which, direction));
  }
};

}  // namespace

void UseDesignedLook() {
  // A platform's own style (Breeze, for one) paints menu bars and button faces
  // from its theme's colours rather than the palette; Fusion takes them all
  // from the palette, and sizes controls as the layouts expect.
  QApplication::setStyle(new DesignedStyle);
  QApplication::setPalette(LightPalette());
}

}  // namespace forms
