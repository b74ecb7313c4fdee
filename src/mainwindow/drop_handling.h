#pragma once
// The mouse on the main window's editor Text and its day picture: text dragged out of the entry
// is copied or moved, text, text files and picture files dropped onto the entry are taken into
// it or linked to the day, the right button opens the program's popup menu, and a double-click
// on the picture links a picture file to the day. [Korvanel] "DragDropCls" of Brisol.ini
// (read anew each time) decides whether a drop adds to the entry (0) or replaces it.
//
// In read-only mode (nurLesen) nothing here changes the entry or a file: drops are refused and
// the picture double-click does nothing.
//
//   auto* maus = new mainwindow::EditorMaus(*this, Text);   // filters the editor's events
//   mainwindow::setTagesbildLaden([this] { TagesbildLaden(); });
//   mainwindow::setPopupZeigen([this](QPoint wo) { mnuPopUp->popup(wo); });
#include "platform/main_port.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QMimeData;
class QMouseEvent;
class QWidget;

namespace platform {
class TextBox;
}

namespace mainwindow {

// The largest file taken into an entry by a drop, and the block tested for a NUL byte.
inline constexpr qint64 ablageGroesstdatei = 1024 * 1024;
inline constexpr qint64 ablageTestblock = 4096;

// Whether "DragDropCls" asks to replace the entry (a number other than 0).
bool ablageErsetzt();
// Text_OLEStartDrag: move when the drop replaces, else copy; copy only in read-only mode.
Qt::DropActions ziehenErlaubt();

// Runs the drag of the selected text out of the editor with the allowed actions and returns
// what the target did (Qt::IgnoreAction when it was dropped nowhere). Without a hook, QDrag.
using ZiehenAusfuehren =
    std::function<Qt::DropAction(QWidget* quelle, QMimeData* daten, Qt::DropActions erlaubt)>;
void setZiehenAusfuehren(ZiehenAusfuehren ausfuehren);

// Whether the file is a picture by its extension (foundation::bildEndungen, any case).
bool istBilddatei(const QString& pfad);

// Text_OLEDragOver, the drag entering the editor: the panel "Status" shows "Text einfügen"
// ("Text übernehmen" when the drop replaces). False in read-only mode: the drop is refused.
bool ziehenBetritt(platform::MainPort& main);
// The drag leaving the editor: "Bereit".
void ziehenVerlaesst(platform::MainPort& main);

// Text_OLEDragDrop. Local files of the data take the place of its text (a file list also
// carries its names as text):
// - a picture file is linked to the shown day ([<short name>] <yyyymmdd> of BildList.ini in the
//   data folder := its full path) and the day's picture is reloaded (the hook below); with
//   several pictures the last one stays linked;
// - a text file of at most ablageGroesstdatei bytes without a NUL byte in its first
//   ablageTestblock bytes is read whole and added to the dropped text, followed by CR LF CR LF;
// - any other file is named in one short German message and left out.
// A dropped text that is not empty: undoText := the entry; with "DragDropCls" not 0 the entry
// is replaced by it, otherwise it takes the place of the selection; either way it stands
// selected, the entry is unsaved and the window comes to the front. "Bereit" at the end.
// Returns whether the drop was taken (false in read-only mode: nothing happens).
bool ablegen(platform::MainPort& main, const QMimeData& daten);

// vbPicture1_DblClick: runs the registered menu entry "mnuBildZuordnen"; nothing in read-only
// mode.
void BildDoppelklick(platform::MainPort& main);

// Hooks the main window installs: the day's picture shown anew (TagesbildLaden), and its popup
// menu mnuPopUp shown at a global position (prepared as popupMenue() says).
void setTagesbildLaden(std::function<void()> laden);
void setPopupZeigen(std::function<void(QPoint global)> zeigen);

// Routes the editor's mouse and drag events: a drag of the selected text out of the editor
// offers only ziehenErlaubt() (a move takes the text out of the entry once another window took
// it), drag enter, leave and drop as above (the editor's own drag and drop are not used), the
// right button (and the context-menu key) to the popup hook unless in
// read-only mode, where the editor's standard menu stays, and a double-click, once the editor
// selected the word (widened to the characters between blanks and line breaks), to
// EditorDoppelklick (Text_DblClick). The filter is a child of the editor.
class EditorMaus : public QObject {
public:
    EditorMaus(platform::MainPort& main, platform::TextBox* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mausGedrueckt(const QMouseEvent& event);
    bool mausBewegt(const QMouseEvent& event);

    platform::MainPort& main_;
    platform::TextBox* editor_;
    bool ziehenMoeglich_ = false; // the left button went down inside the selection
    QPoint ziehenStart_;
};

} // namespace mainwindow
