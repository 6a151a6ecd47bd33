#include "forms/look.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

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

}  // namespace

void UseDesignedLook() {
  // A platform's own style (Breeze, for one) paints menu bars and button faces
  // from its theme's colours rather than the palette; Fusion takes them all
  // from the palette, and sizes controls as the layouts expect.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setPalette(LightPalette());
}

}  // namespace forms
