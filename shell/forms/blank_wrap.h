#pragma once

#include <QStringList>

class QFontMetrics;

namespace forms {

// Breaks a caption into lines no wider than `width`, at blanks only: a web
// address or a hyphenated word stays whole. A word wider than the line gets
// a line of its own; a line feed always breaks.
QStringList WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace forms
