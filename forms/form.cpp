#include "forms/form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QTimer>

#include "forms/accessibility.h"
#include "forms/pictures.h"
#include "forms/task_bar.h"

namespace forms {
namespace {

int loadedCount = 0;
std::function<void()> onNoWindowLoaded = [] { QCoreApplication::quit(); };

Qt::WindowFlags FlagsFor(WindowStyle style) {
  switch (style) {
    case WindowStyle::Sizable:
      return Qt::Window;
    case WindowStyle::SizableNoMinMax:
      return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
    case WindowStyle::FixedDialog:
      // An ordinary window, not a tool or dialog: X11 makes those transient
      // for the whole program, and window managers then keep them above every
      // other window of it or hide them when another one is active.
      return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
  }
  return Qt::Window;
}

// The first control of the tab order that can take the focus.
QWidget* FirstInTabOrder(QWidget* window) {
  for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled()) return w;
  }
  return nullptr;
}

}  // namespace

FormWindow::FormWindow(Form& form, const WindowDesign& design)
    : QMainWindow(nullptr, FlagsFor(design.style)), form_(form), client_(new QWidget(this)) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_->setObjectName("client");
  // Controls are placed before the window is, and an auto-sized label keeps
  // clear of the client area's right edge from its first caption on.
  client_->resize(ToPixels(design.client).size());
  if (design.backColor) {
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, ToColor(*design.backColor));
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
  }
  setCentralWidget(client_);
  SetCaption(QString::fromUtf8(design.caption));
  if (design.icon) setWindowIcon(LoadIcon(QString::fromUtf8(design.icon)));
}

void FormWindow::SetCaption(const QString& caption) { setWindowTitle(caption); }

void FormWindow::Place(const WindowDesign& design) {
  const QRect client = ToPixels(design.client);
  const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
  const QSize size(client.width(), client.height() + menuHeight);
  if (design.placed) {
    // The geometry of a top-level window leaves its frame out, as the design does.
    setGeometry(QRect(QPoint(client.left(), client.top() - menuHeight), size));
  } else {
    resize(size);
  }
  if (design.style == WindowStyle::FixedDialog) setFixedSize(size);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The close box unloads the window; the instance stays.
  event->ignore();
  form_.Unload();
}

Form::~Form() {
  if (window_) {
    delete window_.data();
    --loadedCount;
  }
}

void Form::Show() {
  if (!IsLoaded()) Load();
  window_->show();
  // A minimised window comes back as it was before; raising and activating
  // alone leave it minimised under some window managers.
  if (window_->isMinimized()) window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
  window_->raise();
  window_->activateWindow();
}

void Form::Load() {
  auto* window = new FormWindow(*this, design_);
  window_ = window;
  ++loadedCount;
  CreateControls(*window);
  window->Place(design_);
  if (design_.style == WindowStyle::FixedDialog) {
    AskNotInTaskBar(*window);
    PresentAsDialog(window);
  }
  Form_Load();
  if (QWidget* first = FirstInTabOrder(window)) first->setFocus(Qt::OtherFocusReason);
}

void Form::Unload() {
  if (!IsLoaded()) return;
  FormWindow* window = window_;
  window_ = nullptr;
  for (QTimer* timer : window->findChildren<QTimer*>()) timer->stop();
  DropControls();
  window->hide();
  // The unload may come from one of the window's own controls, still busy
  // delivering its event: destroy the window once that event is done.
  window->deleteLater();
  if (--loadedCount == 0 && onNoWindowLoaded) onNoWindowLoaded();
}

int Form::LoadedCount() { return loadedCount; }

void Form::SetOnNoWindowLoaded(std::function<void()> action) { onNoWindowLoaded = std::move(action); }

}  // namespace forms
