#pragma once
// The keys and the double-click of the main window's editor Text: Alt with the arrow keys moves
// between days and entries, the Insert key switches between insert and overwrite typing, Shift
// with a function key inserts a text block of "Keys.txt", Tab is never typed, and a double-click
// acts on the word or quotation under the caret.
//
//   Text->setKeyDownHandler([this](int& code, int shift) {
//       mainwindow::EditorTasteUnten(*this, code, shift); });
//   Text->setKeyPressHandler([this](int& ascii) { mainwindow::EditorZeichen(*this, ascii); });
// The double-click reaches EditorDoppelklick through the editor's event filter EditorMaus
// (drop_handling.h).
#include "mainwindow/navigation.h"
#include "platform/main_port.h"

#include <QString>

#include <optional>

namespace mainwindow {

// 0 insert typing (the state at start), -1 overwrite typing; not kept between runs.
extern int ueberschreiben;
void resetEditorTasten();

// The move of an editor key with exactly these modifiers (VB key code, shift state 1 Shift,
// 2 Ctrl, 4 Alt): Alt+Left / Alt+Right one day, Alt+Shift+Left / Alt+Shift+Right one entry.
std::optional<Navigation> editorNavigation(int keyCode, int shift);

// The text block of Shift+F<n> (keyCode 112..123, F10 never): [Shift_Key] "F<nn>" of
// "<ordnerDat>/Keys.txt", "~" (and "**") as CR LF, placeholders expanded, blanks at both ends
// removed and one blank appended. "" when the key has no text or is not a macro key.
QString Tastenmakro(int keyCode);

// Text_KeyDown, in this order, each independent of the others: the moves of editorNavigation
// (the key code stays); Insert without modifiers switches the typing mode and shows "Üb" or
// "Einf" in the panel "txtEinf"; Shift+F1..F12 except F10 inserts its text block in place of the
// selection, marks the entry unsaved and swallows the key (keyCode 0). A key without a text
// block, and every macro key in read-only mode, goes on to the editor unchanged.
void EditorTasteUnten(platform::MainPort& main, int& keyCode, int shift);

// Text_KeyPress: Tab (9) becomes 0. In overwrite mode a typed character (32 and above) replaces
// the character right of the caret when nothing is selected; a line break there is kept.
void EditorZeichen(platform::MainPort& main, int& keyAscii);

// Text_DblClick. Off when [Korvanel] "DblClickIgn" is a number other than 0. Otherwise the text
// between the double quotes around the caret (on its line) is selected when there are such;
// the selection, trimmed, is the double-click text, and the first that fits is done:
// a diary reference "{abc}" at its start jumps into diary ABC at the shown day; a date in its
// first ten characters becomes the shown day; a link is opened (integration::LinkOeffnen);
// anything else opens the bookmarks (the registered menu entry "mnuLesezeichen").
void EditorDoppelklick(platform::MainPort& main);

} // namespace mainwindow
