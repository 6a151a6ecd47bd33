#include "keyboard.h"

#include <QTest>

QWidget* Focused(forms::Form& form) { return form.Window()->focusWidget(); }

void Press(forms::Form& form, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = Focused(form) ? Focused(form) : form.Window();
  QTest::keyClick(target, key, modifiers);
}

void Type(forms::Form& form, const QString& text) {
  QWidget* target = Focused(form) ? Focused(form) : form.Window();
  QTest::keyClicks(target, text);
}
