#include "forms/mouse.h"

#include <algorithm>
#include <vector>

#include <QMouseEvent>
#include <QWidget>

#include "forms/design.h"
#include "forms/handler.h"

namespace forms {
namespace {

// Installed on the control and owned by it, so it goes when the control goes.
class EventWatch : public QObject {
 public:
  EventWatch(QWidget* control, std::function<bool(QEvent*)> watch) : QObject(control), watch_(std::move(watch)) {
    control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return watch_(event); }

 private:
  std::function<bool(QEvent*)> watch_;
};

std::int16_t ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return 0;
  }
}

std::int16_t ShiftCode(Qt::KeyboardModifiers modifiers) {
  std::int16_t shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= kShiftKey;
  if (modifiers & Qt::ControlModifier) shift |= kCtrlKey;
  if (modifiers & Qt::AltModifier) shift |= kAltKey;
  return shift;
}

void OnMouse(QWidget* control, std::initializer_list<QEvent::Type> types, MouseHandler handler) {
  new EventWatch(control, [types = std::vector<QEvent::Type>(types), handler = std::move(handler)](QEvent* event) {
    if (std::find(types.begin(), types.end(), event->type()) == types.end()) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF at = mouse->position() * kTwipsPerPixel;
    RunHandler([&] {
      handler(ButtonCode(mouse->button()), ShiftCode(mouse->modifiers()), static_cast<float>(at.x()),
              static_cast<float>(at.y()));
    });
    return false;
  });
}

}  // namespace

void OnMouseDown(QWidget* control, MouseHandler handler) {
  OnMouse(control, {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}, std::move(handler));
}

void OnMouseUp(QWidget* control, MouseHandler handler) {
  OnMouse(control, {QEvent::MouseButtonRelease}, std::move(handler));
}

}  // namespace forms
