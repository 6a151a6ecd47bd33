#pragma once

#include <cstdint>
#include <functional>

class QWidget;

namespace forms {

// Binds a control's KeyPress event: for every character key, before the
// control takes it, the handler receives the character code (13 for Enter)
// by reference. Setting the code to 0 swallows the key; otherwise the control
// handles the key as usual. The handler runs under the error report.
void OnKeyPress(QWidget* control, std::function<void(std::int16_t& keyAscii)> handler);

}  // namespace forms
