#include "window_test.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimerEvent>

WindowTest::WindowTest() {
  forms::Form::SetOnNoWindowLoaded([this] { ++processEnds_; });
}

WindowTest::~WindowTest() {
  ProcessEvents();
  forms::Form::SetOnNoWindowLoaded(nullptr);
}

void ExpectClientArea(forms::Form& form, QRect onScreen, std::optional<QColor> back) {
  ASSERT_TRUE(form.IsLoaded());
  const QWidget* client = form.Window()->Client();
  EXPECT_EQ(QRect(client->mapToGlobal(QPoint(0, 0)), client->size()), onScreen);
  if (back) {
    EXPECT_EQ(client->palette().color(QPalette::Window), *back);
  }
}

void ProcessEvents() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

void Tick(forms::Form& form, const char* timerName) {
  auto* timer = Find<QTimer>(form, timerName);
  ASSERT_NE(timer, nullptr);
  ASSERT_TRUE(timer->isActive()) << timerName << " is not running";
  QTimerEvent tick(timer->timerId());
  QCoreApplication::sendEvent(timer, &tick);
}

void SaveScreenshot(forms::Form& form, const QString& name) {
  ASSERT_TRUE(form.IsLoaded());
  QDir().mkpath(QStringLiteral(KELVARO_SCREENSHOTS));
  const QString path = QStringLiteral(KELVARO_SCREENSHOTS "/%1.png").arg(name);
  EXPECT_TRUE(form.Window()->grab().save(path)) << path.toStdString();
}

MessageBoxWatcher::MessageBoxWatcher() {
  poll_.setInterval(5);
  QObject::connect(&poll_, &QTimer::timeout, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    poll_.stop();
    seen_ = MessageBoxSeen{box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->windowModality()};
    box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
  });
  poll_.start();
}
