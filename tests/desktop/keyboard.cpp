#include "keyboard.h"

#include <QTest>
#include <gtest/gtest.h>

void Activate(forms::Form& form) {
  form.Window()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(form.Window()));
}

QWidget* Focused(forms::Form& form) { return form.Window()->focusWidget(); }

namespace {
QWidget* KeyTarget(forms::Form& form) { return Focused(form) ? Focused(form) : form.Window(); }
}  // namespace

void Press(forms::Form& form, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(KeyTarget(form), key, modifiers);
}

void Type(forms::Form& form, const QString& text) { QTest::keyClicks(KeyTarget(form), text); }
