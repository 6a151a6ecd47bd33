#pragma once

#include <optional>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "forms/blank_wrap.h"
#include "forms/design.h"

class QMenu;

namespace forms {

class FormWindow;

// The font of a design, or its fixed stand-in where the named face is missing.
QFont ToFont(const FontSpec& design);

// A label as the designs use it. Setters leave an unchanged property alone, so
// a timer that rewrites every caption costs nothing while nothing changes. An
// auto-sized label fits its caption and keeps its left and top edges, unless
// its box would then come closer to its container's right edge than
// kLabelEdgeMargin: it grows to the left instead, as far as it must, and comes
// back to its left edge once a caption fits there. The accessible name follows
// the caption. One designed without a caption keeps its designed box until it
// gets one.
class Label : public QLabel {
  Q_OBJECT

 public:
  explicit Label(QWidget* parent) : QLabel(parent) {}

  void SetCaption(const QString& caption);
  QString Caption() const { return text(); }
  void SetBackColor(Rgb rgb);
  void SetForeColor(Rgb rgb);
  void SetVisible(bool visible);
  std::optional<Rgb> BackColor() const { return back_; }
  std::optional<Rgb> ForeColor() const { return fore_; }
  void SetAutoSize(bool autoSize);
  int heightForWidth(int width) const override;
  // The lines a wrapping caption is painted in; what a screen reader reads
  // line by line is these same lines.
  std::vector<TextLine> Lines() const;

 protected:
  // A wrapping caption breaks at blanks only.
  void paintEvent(QPaintEvent* event) override;

 private:
  void Fit();
  // Where a wrapping caption's lines stand, inside the border.
  QRect TextBox(int width, int height) const;
  std::optional<Rgb> back_;
  std::optional<Rgb> fore_;
  bool autoSize_ = false;
  int left_ = 0;  // where an auto-sized label stands when its caption fits
};

// The room, in twips, that an auto-sized label keeps to its container's right
// edge when its caption would come closer: as much as the decoder's first
// multiplier caption, "Brown X10", leaves where it stands.
inline constexpr int kLabelEdgeMargin = 120;

struct LabelDesign {
  const char* name;
  const char* caption = "";
  Twips position;
  FontSpec font = kWindowFont;
  std::optional<Rgb> fore;  // the default text colour when empty
  std::optional<Rgb> back;  // transparent, showing its container, when empty
  Border border = Border::None;
  Align align = Align::Left;
  bool autoSize = false;
  bool wordWrap = false;
  const char* accessibleName = nullptr;  // the caption when none: for labels that show no text
};
Label* MakeLabel(QWidget* parent, const LabelDesign& design);

struct ButtonDesign {
  const char* name;
  const char* caption;
  Twips position;
  FontSpec font = kWindowFont;
  std::optional<Rgb> face;  // the button face colour; the style's own when empty
};
QPushButton* MakeButton(QWidget* parent, const ButtonDesign& design);
// The window's default button: Enter clicks it, unless another button holds
// the focus, which Enter then clicks instead.
void SetDefaultButton(QPushButton* button);
// The window's cancel button: Esc clicks it.
void SetCancelButton(QPushButton* button);

struct TextBoxDesign {
  const char* name;
  Twips position;
  FontSpec font = kWindowFont;
  Align align = Align::Left;
  int maxLength = 32767;
  const char* accessibleName = "";
  const char* accessibleDescription = "";
};
QLineEdit* MakeTextBox(QWidget* parent, const TextBoxDesign& design);

struct CheckDesign {
  const char* name;
  const char* caption;
  Twips position;
  std::optional<Rgb> back;  // the container's colour when empty
  FontSpec font = kWindowFont;
};
QCheckBox* MakeCheckBox(QWidget* parent, const CheckDesign& design);
// Option buttons in one container form one exclusive group.
QRadioButton* MakeOption(QWidget* parent, const CheckDesign& design);

// A frame without a title: a container with a sunken-and-raised edge, which a
// screen reader takes as a group of its window named `accessibleName`.
struct FrameDesign {
  const char* name;
  Twips position;
  const char* accessibleName;
};
QFrame* MakeFrame(QWidget* parent, const FrameDesign& design);

// A filled rectangle with a border, drawn under the controls placed after it,
// with a diagonal cross-hatch in a second colour over the fill where one is given.
struct ShapeDesign {
  const char* name;
  Twips position;
  Rgb fill;
  std::optional<Rgb> crossHatch;  // a plain fill when empty
};
QWidget* MakeShape(QWidget* parent, const ShapeDesign& design);

// A straight line between two points in twips.
struct LineDesign {
  const char* name;
  int x1, y1, x2, y2;
  int widthPixels = 1;
  std::optional<Rgb> color;  // the default line colour (black) when empty
};
QWidget* MakeLine(QWidget* parent, const LineDesign& design);

// A picture box or image: shows a picture, either sizing itself to it or
// stretching it over its box.
class Picture : public QLabel {
  Q_OBJECT

 public:
  Picture(QWidget* parent, bool autoSize);
  void SetPicture(const QPixmap& picture);

 private:
  bool autoSize_;
};
Picture* MakePicture(QWidget* parent, const char* name, Twips position, bool autoSize);

// A timer that runs for as long as its window is loaded.
QTimer* MakeTimer(QWidget* parent, const char* name, int intervalMs);

// The menu every window of the bundle carries: "Info" with "Help!", a
// separator and "About".
struct InfoMenu {
  QAction* mnuHelp;
  QAction* mnuAbout;
};
InfoMenu AddInfoMenu(FormWindow& window);

}  // namespace forms
