#include "forms/controls.h"

#include <algorithm>

#include <QApplication>
#include <QFontMetrics>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <string_view>

#include "forms/accessibility.h"
#include "forms/blank_wrap.h"
#include "forms/form.h"
#include "forms/properties.h"

namespace forms {
namespace {

// Stand-ins for the faces of the designs, from fonts every Debian desktop can
// install: Liberation keeps the metrics of the Windows core fonts.
struct FontStandIn {
  std::string_view designed;
  const char* family;
  std::optional<QFont::Weight> weight;
};
// clang-format off
constexpr FontStandIn kStandIns[] = {
    {"MS Sans Serif", "Liberation Sans", {}},
    {"Arial", "Liberation Sans", {}},
    {"Arial Black", "DejaVu Sans", QFont::Black},
    {"Times New Roman", "Liberation Serif", {}},
    {"Futura Md BT", "Liberation Sans Narrow", {}},
    {"Orbit-B BT", "DejaVu Sans Mono", {}},
};
// clang-format on

Qt::Alignment ToAlignment(Align align) {
  switch (align) {
    case Align::Left:
      return Qt::AlignLeft;
    case Align::Center:
      return Qt::AlignHCenter;
    case Align::Right:
      return Qt::AlignRight;
  }
  return Qt::AlignLeft;
}

void SetColor(QWidget* widget, QPalette::ColorRole role, Rgb rgb) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToColor(rgb));
  widget->setPalette(palette);
}

void FillBackground(QWidget* widget, Rgb rgb) {
  SetColor(widget, QPalette::Window, rgb);
  // Buttons, check boxes among them, fill with the button colour otherwise.
  widget->setBackgroundRole(QPalette::Window);
  widget->setAutoFillBackground(true);
}

template <class W>
W* Place(W* widget, const char* name, Twips position) {
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(ToPixels(position));
  return widget;
}

// Lines and shapes are drawn by the window itself, under every control.
class Drawing : public QWidget {
 public:
  Drawing(QWidget* parent, std::function<void(QPainter&)> paint) : QWidget(parent), paint_(std::move(paint)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paint_(painter);
  }

 private:
  std::function<void(QPainter&)> paint_;
};

}  // namespace

QFont ToFont(const FontSpec& design) {
  QFont font(QString::fromUtf8(design.family));
  for (const FontStandIn& standIn : kStandIns) {
    if (standIn.designed == design.family) {
      font.setFamily(QString::fromUtf8(standIn.family));
      if (standIn.weight) font.setWeight(*standIn.weight);
    }
  }
  font.setPointSizeF(design.points);
  if (design.bold) font.setBold(true);
  return font;
}

void Label::SetCaption(const QString& caption) {
  if (caption == text()) return;
  setText(caption);
  setAccessibleName(caption);
  Fit();
}

void Label::SetBackColor(Rgb rgb) {
  if (back_ == rgb) return;
  back_ = rgb;
  FillBackground(this, rgb);
}

void Label::SetForeColor(Rgb rgb) {
  if (fore_ == rgb) return;
  fore_ = rgb;
  SetColor(this, QPalette::WindowText, rgb);
}

void Label::SetVisible(bool visible) { forms::SetVisible(this, visible); }

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  left_ = x();
  // Without a caption the label keeps its designed box until it gets one,
  // rather than shrinking to a sliver.
  if (!text().isEmpty()) Fit();
}

void Label::Fit() {
  if (!autoSize_) return;
  resize(sizeHint());
  if (!parentWidget()) return;
  // A caption cut at the window's edge misreads ("Green X 100" for 100K), and
  // a box that ends there loses its border: the whole box stays clear of it.
  const int room = parentWidget()->width() - Pixels(kLabelEdgeMargin);
  move(std::max(0, std::min(left_, room - width())), y());
}

QRect Label::TextBox(int width, int height) const {
  QRect box = QRect(0, 0, width, height).marginsRemoved(contentsMargins());
  // A bordered caption keeps half an x clear of the border, as QLabel does.
  const int indent = frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
  if (alignment() & Qt::AlignLeft) box.setLeft(box.left() + indent);
  if (alignment() & Qt::AlignRight) box.setRight(box.right() - indent);
  if (alignment() & Qt::AlignTop) box.setTop(box.top() + indent);
  return box;
}

int Label::heightForWidth(int width) const {
  if (!wordWrap()) return QLabel::heightForWidth(width);
  const QRect box = TextBox(width, 0);
  const int lines = WrapAtBlanks(text(), fontMetrics(), box.width()).size();
  return lines * fontMetrics().height() + box.top() + contentsMargins().bottom();
}

std::vector<TextLine> Label::Lines() const {
  return WrapAtBlanks(text(), fontMetrics(), TextBox(width(), height()).width());
}

void Label::paintEvent(QPaintEvent* event) {
  if (!wordWrap()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  drawFrame(&painter);
  const QRect box = TextBox(width(), height());
  const std::vector<TextLine> lines = Lines();
  const int lineHeight = fontMetrics().height();
  int top = box.top();
  if (alignment() & Qt::AlignVCenter) top += (box.height() - int(lines.size()) * lineHeight) / 2;
  const Qt::Alignment across = alignment() & Qt::AlignHorizontal_Mask;
  for (const TextLine& line : lines) {
    style()->drawItemText(&painter, QRect(box.left(), top, box.width(), lineHeight), int(across | Qt::AlignTop),
                          palette(), isEnabled(), text().mid(line.start, line.length), foregroundRole());
    top += lineHeight;
  }
}

Label* MakeLabel(QWidget* parent, const LabelDesign& design) {
  auto* label = Place(new Label(parent), design.name, design.position);
  label->setFont(ToFont(design.font));
  label->setWordWrap(design.wordWrap);
  if (design.border == Border::Single) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
  }
  // Captions start at the top, as designed. Where a stand-in face's line is
  // taller than a one-line box, centring it trims the empty leading above the
  // letters rather than the descenders below them.
  const bool lineOverflows = !design.wordWrap && QFontMetrics(label->font()).height() > label->contentsRect().height();
  label->setAlignment(ToAlignment(design.align) | (lineOverflows ? Qt::AlignVCenter : Qt::AlignTop));
  if (design.fore) label->SetForeColor(*design.fore);
  if (design.back) label->SetBackColor(*design.back);
  label->SetCaption(QString::fromUtf8(design.caption));
  label->setAccessibleName(design.accessibleName ? QString::fromUtf8(design.accessibleName) : label->text());
  label->SetAutoSize(design.autoSize);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const ButtonDesign& design) {
  auto* button = Place(new QPushButton(QString::fromUtf8(design.caption), parent), design.name, design.position);
  button->setFont(ToFont(design.font));
  // Enter presses the button that holds the focus, as Space does.
  button->setAutoDefault(true);
  if (design.face) SetColor(button, QPalette::Button, *design.face);
  return button;
}

void SetDefaultButton(QPushButton* button) {
  button->setDefault(true);
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* shortcut = new QShortcut(QKeySequence(key), button->window());
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
      auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
      if (focused && focused->window() == button->window()) {
        focused->click();
      } else {
        button->click();
      }
    });
  }
}

void SetCancelButton(QPushButton* button) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), button->window());
  QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
}

QLineEdit* MakeTextBox(QWidget* parent, const TextBoxDesign& design) {
  auto* box = Place(new QLineEdit(parent), design.name, design.position);
  box->setFont(ToFont(design.font));
  box->setAlignment(ToAlignment(design.align) | Qt::AlignVCenter);
  box->setMaxLength(design.maxLength);
  box->setAccessibleName(QString::fromUtf8(design.accessibleName));
  box->setAccessibleDescription(QString::fromUtf8(design.accessibleDescription));
  return box;
}

namespace {
template <class Button>
Button* MakeCheckable(QWidget* parent, const CheckDesign& design) {
  auto* button = Place(new Button(QString::fromUtf8(design.caption), parent), design.name, design.position);
  button->setFont(ToFont(design.font));
  if (design.back) FillBackground(button, *design.back);
  // This platform's indicator is wider than the one the widths were set for;
  // a caption is widened rather than clipped.
  button->resize(std::max(button->width(), button->sizeHint().width()), button->height());
  return button;
}
}  // namespace

QCheckBox* MakeCheckBox(QWidget* parent, const CheckDesign& design) { return MakeCheckable<QCheckBox>(parent, design); }

QRadioButton* MakeOption(QWidget* parent, const CheckDesign& design) {
  auto* option = MakeCheckable<QRadioButton>(parent, design);
  // Only the selected option of a group is a tab stop, so Tab enters the
  // group at its choice and the arrow keys move within it.
  QObject::connect(option, &QRadioButton::toggled, option, [option](bool selected) {
    if (!selected) return;
    for (auto* other : option->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
      const Qt::FocusPolicy policy = other->focusPolicy();
      other->setFocusPolicy(other == option ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                            : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
  });
  return option;
}

QFrame* MakeFrame(QWidget* parent, const FrameDesign& design) {
  auto* frame = Place(new QFrame(parent), design.name, design.position);
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  frame->setAccessibleName(QString::fromUtf8(design.accessibleName));
  PresentAsGroup(frame);
  return frame;
}

QWidget* MakeShape(QWidget* parent, const ShapeDesign& design) {
  const QColor color = ToColor(design.fill);
  const std::optional<QColor> hatch = design.crossHatch ? std::optional<QColor>(ToColor(*design.crossHatch))
                                                        : std::nullopt;
  auto* shape = new Drawing(parent, [color, hatch](QPainter& painter) {
    const QRect box = painter.window().adjusted(0, 0, -1, -1);
    painter.fillRect(box, color);
    if (hatch) painter.fillRect(box, QBrush(*hatch, Qt::DiagCrossPattern));
    painter.setPen(Qt::black);
    painter.drawRect(box);
  });
  Place(shape, design.name, design.position)->lower();
  return shape;
}

QWidget* MakeLine(QWidget* parent, const LineDesign& design) {
  const QPoint from(Pixels(design.x1), Pixels(design.y1));
  const QPoint to(Pixels(design.x2), Pixels(design.y2));
  const int pad = design.widthPixels;
  const QRect bounds = QRect(from, to).normalized().adjusted(-pad, -pad, pad, pad);
  const QPen pen(design.color ? ToColor(*design.color) : QColor(Qt::black), design.widthPixels, Qt::SolidLine,
                 Qt::FlatCap);
  auto* line = new Drawing(parent, [pen, from = from - bounds.topLeft(), to = to - bounds.topLeft()](QPainter& p) {
    p.setPen(pen);
    p.drawLine(from, to);
  });
  line->setObjectName(QString::fromUtf8(design.name));
  line->setGeometry(bounds);
  line->lower();
  return line;
}

Picture::Picture(QWidget* parent, bool autoSize) : QLabel(parent), autoSize_(autoSize) { setScaledContents(!autoSize); }

void Picture::SetPicture(const QPixmap& picture) {
  setPixmap(picture);
  if (autoSize_) resize(picture.deviceIndependentSize().toSize());
}

Picture* MakePicture(QWidget* parent, const char* name, Twips position, bool autoSize) {
  return Place(new Picture(parent, autoSize), name, position);
}

QTimer* MakeTimer(QWidget* parent, const char* name, int intervalMs) {
  auto* timer = new QTimer(parent);
  timer->setObjectName(QString::fromUtf8(name));
  timer->setInterval(intervalMs);
  timer->start();
  return timer;
}

InfoMenu AddInfoMenu(FormWindow& window) {
  QMenu* info = window.menuBar()->addMenu(QStringLiteral("Info"));
  info->setObjectName("mnuInfo");
  QAction* help = info->addAction(QStringLiteral("Help!"));
  help->setObjectName("mnuHelp");
  info->addSeparator()->setObjectName("mnuSep");
  QAction* about = info->addAction(QStringLiteral("About"));
  about->setObjectName("mnuAbout");
  return {help, about};
}

}  // namespace forms
