#pragma once

#include <optional>

#include <QColor>
#include <QMessageBox>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "forms/form.h"
#include "forms/project.h"
#include "support/print_qstring.h"

// Each test has instances of its own and watches for the end of the process
// instead of ending it.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  ~WindowTest() override;

  // How often the last loaded window went away.
  int ProcessEnds() const { return processEnds_; }

 private:
  forms::Project project_;
  int processEnds_ = 0;
};

// A control of a loaded form, by its design name.
template <class T = QWidget>
T* Find(forms::Form& form, const char* name) {
  EXPECT_TRUE(form.IsLoaded()) << "looking for " << name << " on a window that is not loaded";
  if (!form.IsLoaded()) return nullptr;
  T* found = form.Window()->findChild<T*>(QString::fromUtf8(name));
  EXPECT_NE(found, nullptr) << "no control named " << name;
  return found;
}

// Checks where a loaded form's client area stands on the screen, its size in
// pixels and, when given, its background colour.
void ExpectClientArea(forms::Form& form, QRect onScreen, std::optional<QColor> back = std::nullopt);

// Lets pending events run, deferred deletions included.
void ProcessEvents();

// Delivers one tick of a form's named timer, as if its interval had passed.
void Tick(forms::Form& form, const char* timerName);

// Writes a picture of the form's window to the build tree's screenshots/.
void SaveScreenshot(forms::Form& form, const QString& name);

// What a message box showed.
struct MessageBoxSeen {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  Qt::WindowModality modality;
};

// Answers the next message box with OK and keeps what it showed.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  const std::optional<MessageBoxSeen>& Seen() const { return seen_; }

 private:
  QTimer poll_;
  std::optional<MessageBoxSeen> seen_;
};
