// Prints the palette and style that the desktop's theme gives a Qt program,
// before any program sets its own: what the theme check of tests/desktop_checks
// reads to know that a theme really loaded. One line per colour role: the name,
// then the active, inactive and disabled colours as #RRGGBB.
#include <cstdio>

#include <QApplication>
#include <QMetaEnum>
#include <QPalette>
#include <QStyle>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  std::printf("style %s\n", qPrintable(QApplication::style()->name()));
  const QPalette palette = QApplication::palette();
  const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
  for (int role = 0; role < QPalette::NColorRoles; ++role) {
    if (role == QPalette::NoRole) continue;
    std::printf("%s", roles.valueToKey(role));
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      std::printf(" %s", qPrintable(palette.color(group, QPalette::ColorRole(role)).name()));
    }
    std::printf("\n");
  }
}
