#pragma once

class QWidget;

namespace forms {

// Asks the window manager to leave a top-level window that is not shown yet
// out of the task bar. Only X11 has an ordinary way to ask; elsewhere this
// does nothing.
void AskNotInTaskBar(QWidget& window);

}  // namespace forms
