#include <QApplication>

#include "app_info.h"
#include "shell/forms/project.h"
#include "shell/menu.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tabrinex"));
  QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3").arg(app::kMajor).arg(app::kMinor).arg(app::kRevision));
  // The program ends when no window is loaded, not when none is visible.
  QApplication::setQuitOnLastWindowClosed(false);

  forms::Project project;
  forms::Instance<Menu>().Show();
  return QApplication::exec();
}
