#pragma once

#include <QString>

class QLabel;

// The tolerance note pads each item with a run of blanks wide enough, in the
// face it was written for, to push the next item onto a line of its own. No
// stand-in face has those widths, so the note is drawn with each run of
// blanks as a line break; its text itself stays as written.
QString BlankRunsAsLineBreaks(const QString& text);

// Draws `label` word-wrapped with its runs of blanks as line breaks.
void DrawBlankRunsAsLineBreaks(QLabel* label);
