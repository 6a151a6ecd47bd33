#include "forms/accessibility.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QWidget>

namespace forms {
namespace {

constexpr char kGroupProperty[] = "formsGroup";
constexpr char kDialogProperty[] = "formsDialog";

// The program's one notification: what it says is its name, and each time it
// is shown anew the screen reader speaks it.
class Notice : public QObject {
 public:
  explicit Notice(QObject* parent) : QObject(parent) {}
  QString text;
};

class NoticeInterface : public QAccessibleInterface {
 public:
  explicit NoticeInterface(Notice* notice) : notice_(notice) {}

  bool isValid() const override { return notice_ != nullptr; }
  QObject* object() const override { return notice_; }
  QWindow* window() const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? notice_->text : QString(); }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 private:
  Notice* notice_;
};

// Where a label's text is read: the start of one of its lines.
class LineReader : public QObject {
 public:
  LineReader(QLabel* label, std::function<std::vector<TextLine>()> lines)
      : QObject(label), label_(label), lines_(std::move(lines)) {
    label->installEventFilter(this);
  }

  // The lines as the label paints them.
  std::vector<TextLine> Lines() const { return lines_(); }

  // The index of the line that holds an offset: the last that starts at or
  // before it, so that the blank at a break belongs to the line it ends.
  static int LineAt(const std::vector<TextLine>& lines, int offset) {
    int index = 0;
    while (index + 1 < int(lines.size()) && lines[index + 1].start <= offset) ++index;
    return index;
  }

  int Caret() const { return caret_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::vector<TextLine> lines = Lines();
    if (lines.empty()) return false;
    const int last = int(lines.size()) - 1;
    const int current = LineAt(lines, caret_);
    int target;
    if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Down) {
      target = std::min(current + 1, last);
    } else if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Up) {
      target = std::max(current - 1, 0);
    } else if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_Home) {
      target = 0;
    } else if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_End) {
      target = last;
    } else {
      return false;
    }
    caret_ = lines[target].start;
    QAccessibleTextCursorEvent moved(label_, caret_);
    QAccessible::updateAccessibility(&moved);
    return true;
  }

 private:
  QLabel* label_;
  std::function<std::vector<TextLine>()> lines_;
  int caret_ = 0;
};

// A label as a screen reader sees it, with its text to read by lines.
class LineReadingInterface : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  LineReadingInterface(QLabel* label, const LineReader* reader)
      : QAccessibleWidget(label, QAccessible::StaticText), label_(label), reader_(reader) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    const QString text = QAccessibleWidget::text(t);
    return t == QAccessible::Name && text.isEmpty() ? label_->text() : text;
  }

  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return reader_->Caret(); }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override { return label_->text().mid(start, end - start); }
  int characterCount() const override { return int(label_->text().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    if (type != QAccessible::LineBoundary) return QAccessibleTextInterface::textBeforeOffset(offset, type, start, end);
    return LineText(-1, offset, start, end);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    if (type != QAccessible::LineBoundary) return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
    return LineText(0, offset, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    if (type != QAccessible::LineBoundary) return QAccessibleTextInterface::textAfterOffset(offset, type, start, end);
    return LineText(1, offset, start, end);
  }

 private:
  // The line `step` lines from the one that holds the offset.
  QString LineText(int step, int offset, int* start, int* end) const {
    const std::vector<TextLine> lines = reader_->Lines();
    const int index = LineReader::LineAt(lines, offset) + step;
    if (index < 0 || index >= int(lines.size())) {
      *start = *end = -1;
      return {};
    }
    *start = lines[index].start;
    *end = lines[index].start + lines[index].length;
    return text(*start, *end);
  }

  QLabel* label_;
  const LineReader* reader_;
};

// A label of a dialog: one of the texts that label the dialog, so that a
// screen reader reads it in the dialog's description rather than on its own.
class DialogTextInterface : public QAccessibleWidget {
 public:
  explicit DialogTextInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText), label_(label) {}

  QString text(QAccessible::Text t) const override {
    const QString text = QAccessibleWidget::text(t);
    return t == QAccessible::Name && text.isEmpty() ? label_->text() : text;
  }

  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> related = QAccessibleWidget::relations(match);
    if (match & QAccessible::Label) {
      related.append({QAccessible::queryAccessibleInterface(label_->window()), QAccessible::Label});
    }
    return related;
  }

 private:
  QLabel* label_;
};

bool InDialog(const QWidget* widget) { return widget->window()->property(kDialogProperty).toBool(); }

QAccessibleInterface* Interfaces(const QString&, QObject* object) {
  if (auto* notice = dynamic_cast<Notice*>(object)) return new NoticeInterface(notice);
  if (auto* label = qobject_cast<QLabel*>(object)) {
    for (const QObject* child : label->children()) {
      if (const auto* reader = dynamic_cast<const LineReader*>(child)) return new LineReadingInterface(label, reader);
    }
  }
  // A dialog's texts, not its pictures, which stay graphics as Qt presents them.
  if (auto* label = qobject_cast<QLabel*>(object); label && label->pixmap().isNull() && InDialog(label)) {
    return new DialogTextInterface(label);
  }
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget && widget->property(kGroupProperty).toBool()) return new QAccessibleWidget(widget, QAccessible::Grouping);
  if (widget && widget->isWindow() && InDialog(widget)) return new QAccessibleWidget(widget, QAccessible::Dialog);
  return nullptr;
}

void InstallInterfaces() {
  static const bool installed = [] {
    QAccessible::installFactory(Interfaces);
    return true;
  }();
  (void)installed;
}

// Drops the interface a control may have been given already, so that the
// next look at it takes the one from above.
void PresentAnew(QObject* control) {
  InstallInterfaces();
  if (QAccessibleInterface* node = QAccessible::queryAccessibleInterface(control)) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(node));
  }
}

bool EndsSentence(const QString& text) {
  return text.endsWith(u'.') || text.endsWith(u'!') || text.endsWith(u'?') || text.endsWith(u':');
}

void Notify(const QString& text) {
  if (!QAccessible::isActive()) return;
  InstallInterfaces();
  static QPointer<Notice> notice;
  if (!notice) notice = new Notice(qApp);
  notice->text = text;
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(notice);
  // The new name first, so that a screen reader holding the old one in its
  // cache reads the new; then hidden and shown again, even for a repeated text.
  for (const QAccessible::Event event : {QAccessible::NameChanged, QAccessible::ObjectHide, QAccessible::ObjectShow}) {
    QAccessibleEvent change(node, event);
    QAccessible::updateAccessibility(&change);
  }
}

std::function<void(const QString&)> announcer = Notify;

}  // namespace

QString SpokenText(std::initializer_list<const QWidget*> controls) {
  QString spoken;
  for (const QWidget* control : controls) {
    if (!control || !control->isVisibleTo(control->window())) continue;
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
    const QString text = node ? node->text(QAccessible::Name).trimmed() : QString();
    if (text.isEmpty()) continue;
    if (!spoken.isEmpty()) spoken += EndsSentence(spoken) ? QStringLiteral(" ") : QStringLiteral(". ");
    spoken += text;
  }
  return spoken;
}

void Announce(const QString& text) {
  if (!text.isEmpty()) announcer(text);
}

void SetAnnouncer(std::function<void(const QString&)> listener) { announcer = listener ? std::move(listener) : Notify; }

void ReadLineByLine(QLabel* label, std::function<std::vector<TextLine>()> lines) {
  new LineReader(label, std::move(lines));
  label->setFocusPolicy(Qt::StrongFocus);
  PresentAnew(label);
}

void PresentAsGroup(QWidget* frame) {
  frame->setProperty(kGroupProperty, true);
  PresentAnew(frame);
}

void PresentAsDialog(QWidget* window) {
  window->setProperty(kDialogProperty, true);
  PresentAnew(window);
  for (QLabel* label : window->findChildren<QLabel*>()) PresentAnew(label);
}

}  // namespace forms
