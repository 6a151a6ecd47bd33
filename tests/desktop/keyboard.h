#pragma once

#include <QString>
#include <QWidget>

#include "forms/form.h"

// Makes the form's window the active one, so that keys reach its focused
// control and focus moves on when a focused control is disabled or hidden.
void Activate(forms::Form& form);

// The control that has the keyboard focus within a form's window.
QWidget* Focused(forms::Form& form);

// Presses and releases a key where the keyboard focus of the form's window is,
// as a user at the keyboard would.
void Press(forms::Form& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Types a text where the keyboard focus of the form's window is.
void Type(forms::Form& form, const QString& text);
