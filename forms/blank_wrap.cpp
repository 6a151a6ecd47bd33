#include "forms/blank_wrap.h"

#include <QFontMetrics>
#include <QString>

namespace forms {

std::vector<TextLine> WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width) {
  std::vector<TextLine> lines;
  int paragraph = 0;
  while (true) {
    const int paragraphEnd = text.indexOf(QLatin1Char('\n'), paragraph);
    const int end = paragraphEnd < 0 ? int(text.size()) : paragraphEnd;
    // The line in the making runs from `start` to `stop`; it is empty while
    // they meet, and then takes the next word whole, fitting or not.
    int start = paragraph, stop = paragraph;
    for (int word = paragraph; word <= end;) {
      int wordEnd = text.indexOf(QLatin1Char(' '), word);
      if (wordEnd < 0 || wordEnd > end) wordEnd = end;
      if (start == stop) {
        start = word;
        stop = wordEnd;
      } else if (metrics.horizontalAdvance(text.mid(start, wordEnd - start)) <= width) {
        stop = wordEnd;
      } else {
        lines.push_back({start, stop - start});
        start = word;
        stop = wordEnd;
      }
      word = wordEnd + 1;
    }
    lines.push_back({start, stop - start});
    if (paragraphEnd < 0) return lines;
    paragraph = paragraphEnd + 1;
  }
}

}  // namespace forms
