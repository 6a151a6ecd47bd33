#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>

// The one way to set a property that leaves an unchanged value alone, for
// timer handlers that rewrite every property on each tick; forms::Label's
// setters keep the same rule and show through these.
namespace forms {

inline void SetEnabled(QWidget* control, bool enabled) {
  if (control->isEnabled() != enabled) control->setEnabled(enabled);
}

inline void SetVisible(QWidget* control, bool visible) {
  if (control->isVisibleTo(control->parentWidget()) != visible) control->setVisible(visible);
}

inline void SetCaption(QAbstractButton* button, const QString& caption) {
  if (button->text() != caption) button->setText(caption);
}

inline void SetText(QLineEdit* box, const QString& text) {
  if (box->text() != text) box->setText(text);
}

}  // namespace forms
