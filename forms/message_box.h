#pragma once

#include <QString>

class RuntimeError;

namespace forms {

// A message box given a text only: an OK button, no icon, the application
// title. Application-modal; returns when the box is closed.
void MsgBox(const QString& text);

// The runtime's standard error report for an error no handler trapped: a
// message box with its number and text, then the end of the program.
void ReportError(const RuntimeError& error);

}  // namespace forms
