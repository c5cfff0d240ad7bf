#pragma once

// Rules that several windows share for their controls.

class QComboBox;
class QString;

// An editable list whose typed text is kept as typed: nothing is completed
// inline, and when editing ends only an item equal in case takes its place.
void KeepTypedText(QComboBox *combo);

// The width a window needs to show the whole of its title in the title bar.
int TitleBarWidth(const QString &title);
