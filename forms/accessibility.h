#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include <QString>

#include "forms/blank_wrap.h"

class QLabel;
class QWidget;

// What the windows tell a screen reader beyond the names of their controls.
// A screen reader hears nothing of a label that changes away from the focus,
// so a window says the texts that follow a user's action itself.
namespace forms {

// What a screen reader reads of the controls, in order: each shown control's
// accessible name (a label's is its caption), trimmed, the empty ones left
// out, as sentences of one text.
QString SpokenText(std::initializer_list<const QWidget*> controls);

// Says a text at once, wherever the focus is, as a notification of the
// program. Costs nothing while no screen reader listens.
void Announce(const QString& text);
// Who hears what Announce says: the screen reader, or, while a test listens,
// the test; an empty listener gives it back to the screen reader.
void SetAnnouncer(std::function<void(const QString&)> announcer);

// Presents a frame as a group of the controls it holds, a part of its window,
// rather than a window of its own.
void PresentAsGroup(QWidget* frame);

// Presents a window as a dialog. A screen reader says a dialog's title and its
// accessible description whenever it presents the dialog: on its activation,
// and as the new context of its first focus, in whichever order those come.
// Its labels count as the dialog's own texts, told by that description, not
// as loose texts that a screen reader would read in its place.
void PresentAsDialog(QWidget* window);

// Lets the keyboard reach a label and a screen reader read its text line by
// line, each line as `lines` says it is painted: Up and Down move from line to
// line, Ctrl+Home and Ctrl+End to the first and the last. Nothing of it shows.
void ReadLineByLine(QLabel* label, std::function<std::vector<TextLine>()> lines);

}  // namespace forms
