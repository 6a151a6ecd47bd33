#pragma once

#include <vector>

class QFontMetrics;
class QString;

namespace forms {

// One line of a wrapped caption: where it starts in the caption and how many
// characters it shows.
struct TextLine {
  int start;
  int length;
};

// Breaks a caption into lines no wider than `width`, at blanks only: a web
// address or a hyphenated word stays whole. A word wider than the line gets
// a line of its own; a line feed always breaks. The blank at a break shows on
// neither line.
std::vector<TextLine> WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace forms
