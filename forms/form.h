#pragma once

#include <functional>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "forms/design.h"

namespace forms {

class Form;

enum class WindowStyle {
  Sizable,          // ordinary resizable window with minimise and maximise
  SizableNoMinMax,  // resizable, close box only
  FixedDialog,      // fixed dialog border, close box only, not in the task bar; a dialog to a screen reader
};

// How a window looks before any control is placed on it.
struct WindowDesign {
  const char* caption = "";
  std::optional<Rgb> backColor;  // the system's window colour when empty
  Twips client;                  // client area; left and top on the screen
  WindowStyle style = WindowStyle::Sizable;
  bool placed = true;          // false: where the system puts new windows
  const char* icon = nullptr;  // a resource path, or none of its own
};

// The top-level window of a loaded form. Its client area is the central
// widget, so the menu bar takes its own height above it and never covers a
// control; controls stand at fixed places and nothing moves when the window
// resizes.
class FormWindow : public QMainWindow {
  Q_OBJECT

 public:
  FormWindow(Form& form, const WindowDesign& design);

  QWidget* Client() const { return client_; }
  void SetCaption(const QString& caption);

  // Places the window so that its client area stands where the design says.
  void Place(const WindowDesign& design);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Form& form_;
  QWidget* client_;
};

// The single instance of a window class. It holds the form-level values and
// outlives its window: load builds the window and runs the load handler,
// unload destroys the window and keeps the instance.
class Form {
 public:
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Loads the window when it is not loaded, then makes it visible and active.
  // Modeless and without an owner; an open window is only brought forward.
  void Show();

  // Destroys the window and its controls; nothing when not loaded.
  void Unload();

  bool IsLoaded() const { return window_ != nullptr; }
  FormWindow* Window() const { return window_; }

  // Windows loaded in the whole process; it ends when this drops to 0.
  static int LoadedCount();
  // What happens when the last window unloads (ends the event loop; tests
  // replace it to watch the end of the process).
  static void SetOnNoWindowLoaded(std::function<void()> action);

 protected:
  explicit Form(const WindowDesign& design) : design_(design) {}

  // Creates the controls of the design on a fresh window and connects them.
  virtual void CreateControls(FormWindow& window) = 0;
  // Forgets the controls of a window that is going away.
  virtual void DropControls() = 0;
  // The load handler: runs after the controls exist, before the window shows.
  virtual void Form_Load() {}

 private:
  void Load();

  WindowDesign design_;
  QPointer<FormWindow> window_;
};

// A form whose controls are gathered in one struct, built from the design on
// every load and dropped on every unload.
template <class Controls>
class FormOf : public Form {
 protected:
  using Form::Form;

  // Only while loaded.
  Controls& ui() { return *ui_; }
  const Controls& ui() const { return *ui_; }

 private:
  void CreateControls(FormWindow& window) final {
    ui_ = std::make_unique<Controls>(window);
    Connect(*ui_);
  }
  void DropControls() final { ui_.reset(); }
  // Binds the controls' events to the form's handlers.
  virtual void Connect(Controls& controls) = 0;

  std::unique_ptr<Controls> ui_;
};

}  // namespace forms
