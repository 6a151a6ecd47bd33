#include <clocale>

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include "forms/look.h"

int main(int argc, char* argv[]) {
  // Test discovery runs this binary too, so it must never need a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  forms::UseDesignedLook();
  // Numbers are written with the user's decimal separator: pin it.
  std::setlocale(LC_ALL, "C");
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
