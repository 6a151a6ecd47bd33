#pragma once

#include <cstdint>
#include <functional>

class QWidget;

// MouseDown and MouseUp events of a control, delivered the way the designs'
// handlers expect them. Each handler runs under the error report.
namespace forms {

// Mouse buttons and shift keys as the handlers receive them.
enum MouseButton : std::int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : std::int16_t { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// A mouse button pressed or released over a control: which button, the
// shift keys held, and the place in twips from the control's top-left corner.
// A quick second press counts as a press like any other.
using MouseHandler = std::function<void(std::int16_t button, std::int16_t shift, float x, float y)>;
void OnMouseDown(QWidget* control, MouseHandler handler);
void OnMouseUp(QWidget* control, MouseHandler handler);

}  // namespace forms
