#include "blank_wrap.h"

#include <QFontMetrics>

namespace forms {

QStringList WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
    QString line;
    for (const QString& word : paragraph.split(QLatin1Char(' '))) {
      const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
      if (line.isEmpty() || metrics.horizontalAdvance(longer) <= width) {
        line = longer;
      } else {
        lines.append(line);
        line = word;
      }
    }
    lines.append(line);
  }
  return lines;
}

}  // namespace forms
