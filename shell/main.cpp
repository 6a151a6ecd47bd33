#include <cstdlib>
#include <string>

#include <QApplication>

#include "about/sysinfo_seams.h"
#include "core/app_info.h"
#include "forms/look.h"
#include "forms/project.h"
#include "shell/menu.h"
#include "shell/platform_choice.h"

int main(int argc, char* argv[]) {
  sysinfo::KeepStartEnvironment();
  // Chosen before Qt starts, as Qt reads it once.
  const std::string platform = platform::PreferredPlatform(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"));
  if (!platform.empty()) qputenv("QT_QPA_PLATFORM", platform.c_str());
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tabrinex"));
  QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3").arg(app::kMajor).arg(app::kMinor).arg(app::kRevision));
  // The program ends when no window is loaded, not when none is visible.
  QApplication::setQuitOnLastWindowClosed(false);
  forms::UseDesignedLook();

  forms::Project project;
  forms::Instance<Menu>().Show();
  return QApplication::exec();
}
