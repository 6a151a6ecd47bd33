#include "forms/key_press.h"

#include <optional>

#include <QKeyEvent>
#include <QWidget>

#include "forms/handler.h"

namespace forms {
namespace {

// The character code of a key event, or none for keys that type nothing
// (arrows, function keys, modifiers alone).
std::optional<std::int16_t> CharacterCode(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) return 13;
  const QString text = key.text();
  if (text.size() != 1 || text[0].unicode() > 0x7FFF) return std::nullopt;
  return static_cast<std::int16_t>(text[0].unicode());
}

class KeyPressFilter : public QObject {
 public:
  KeyPressFilter(QWidget* control, std::function<void(std::int16_t&)> handler)
      : QObject(control), handler_(std::move(handler)) {
    control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    std::optional<std::int16_t> code = CharacterCode(static_cast<const QKeyEvent&>(*event));
    if (!code) return false;
    RunHandler([&] { handler_(*code); });
    return *code == 0;
  }

 private:
  std::function<void(std::int16_t&)> handler_;
};

}  // namespace

void OnKeyPress(QWidget* control, std::function<void(std::int16_t& keyAscii)> handler) {
  new KeyPressFilter(control, std::move(handler));
}

}  // namespace forms
