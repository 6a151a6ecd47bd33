// The yardstick for start-up time and memory: the least a Qt Widgets program
// can be, one window with one label and one button, built with the same
// compiler and flags as tabrinex.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Minimal"));
  window.setGeometry(421, 118, 244, 203);
  QLabel label(QStringLiteral("Please select"), &window);
  label.setGeometry(8, 4, 225, 22);
  QPushButton button(QStringLiteral("Exit"), &window);
  button.setGeometry(68, 168, 105, 29);
  QObject::connect(&button, &QPushButton::clicked, &application, &QApplication::quit);
  window.show();
  return QApplication::exec();
}
