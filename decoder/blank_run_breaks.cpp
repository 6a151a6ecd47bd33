#include "decoder/blank_run_breaks.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>

namespace {

class BlankRunBreaks : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* label = static_cast<QLabel*>(watched);
    QPainter painter(label);
    painter.setFont(label->font());
    painter.setPen(label->palette().color(label->foregroundRole()));
    painter.drawText(label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap,
                     BlankRunsAsLineBreaks(label->text()));
    return true;
  }
};

}  // namespace

QString BlankRunsAsLineBreaks(const QString& text) {
  static const QRegularExpression blankRun(QStringLiteral(" {2,}"));
  return QString(text).replace(blankRun, QStringLiteral("\n"));
}

void DrawBlankRunsAsLineBreaks(QLabel* label) { label->installEventFilter(new BlankRunBreaks(label)); }
