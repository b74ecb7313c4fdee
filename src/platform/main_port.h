#pragma once
// What the other windows may do with the main window, and nothing else: move it to a day by
// setting the caption of its date label BezDatum, read and change the entry in its editor Text,
// insert a text at the caret as the user's own insertion, run one of its menu entries by name,
// write its status panels, show the busy pointer on it, and read its caption, icon, geometry and
// editor font. The main window implements this; tests use a fake (tests/support) that also
// records every insertion and every menu entry run.
//
//   platform::MainPort& main = *platform::mainPort();
//   main.setDateCaption(u"05.03.2024"_qs);     // saves the shown day, shows 05.03.2024
//   main.setSelStart(treffer - 1);              // positions as in text(): CR LF counts two
//   main.setSelLength(suchbegriff.size());
//   main.setSelText(ersatz);                    // marks the entry unsaved
//
// A window that hands the user a text for the entry (a keyword, a file name, special
// characters, an imported text) puts it in with insertText(); a window whose button stands for
// a command of the main menu runs that entry with runMenuEntry():
//
//   if (!stichwort.isEmpty())
//       main.insertText(stichwort);             // caret behind it, editor focused, unsaved
//   main.runMenuEntry(u"mnuSuchen"_qs);         // as a click on "Text &suchen..."
//
// Texts have CR LF line ends and positions count a line break as two characters (text_box.h).
// Every change of the text through this interface counts as an edit of the entry: the main
// window saves it on the next change of day, by its timer or at exit.
#include "form.h"

#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QString>

class QWidget;

namespace platform {

class MainPort {
public:
    virtual ~MainPort() = default;

    // The caption of the date label BezDatum: the shown day as "dd.mm.yyyy". Setting another
    // text runs the change of day before it returns (the same text again does nothing).
    virtual QString dateCaption() const = 0;
    virtual void setDateCaption(const QString& caption) = 0;

    // The editor Text.
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    virtual int selStart() const = 0;
    virtual void setSelStart(int start) = 0;
    virtual int selLength() const = 0;
    virtual void setSelLength(int length) = 0;
    virtual QString selText() const = 0;
    virtual void setSelText(const QString& text) = 0;
    // The editor's font (name, size, styles).
    virtual QFont textFont() const = 0;

    // The one insertion into the entry at the caret: text (line ends as for setText) replaces
    // the selection, the caret ends behind it with nothing selected, the editor gets the focus
    // and the entry is marked unsaved. Nothing happens, and false comes back, for an empty text,
    // in read-only mode and while the editor is locked (no diary open, an entry that could not
    // be read), so no window can change an entry the user could not change by typing.
    virtual bool insertText(const QString& text) = 0;

    // Runs the main window's menu entry or tool-bar button registered under name ("mnuGeheZu",
    // "mnuZuletzt(1)" for an element of a menu array, "btnPrint"; case does not matter) as a click
    // would, before it returns: only when the entry exists, is visible and is enabled together
    // with every menu above it, so a command that read-only mode or an opening menu switched off
    // stays off. A submenu's name runs what opening that menu runs. Returns whether it ran.
    virtual bool runMenuEntry(const QString& name) = 0;

    // Status panels by key ("Status", "Aktuell", "Position", ...): "" for an unknown key, and
    // writing to one changes nothing.
    virtual QString panelText(const QString& key) const = 0;
    virtual void setPanelText(const QString& key, const QString& text) = 0;
    // Draws the status bar now (a long job shows its progress without returning to the loop).
    virtual void refreshStatusBar() = 0;

    // The main window's own mouse pointer (the shape numbers of mouse_pointer.h).
    virtual int mousePointer() const = 0;
    virtual void setMousePointer(int shape) = 0;

    // The window's caption (the diary's title), icon, and geometry in twips.
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual QIcon icon() const = 0;
    virtual TwipsGeometry geometryTwips() const = 0;
    // The editor's colours: Text is the colour of its text, Base its background. The default is
    // the application's palette, for a main window whose editor keeps it.
    virtual QPalette textPalette() const;
    // The window itself, as the owner of dialogs.
    virtual QWidget* widget() const = 0;
};

// Replaces the whole entry shown by the main window through its one insertion (insertText), so
// that a job changing many days changes none that the user could not change by typing: false,
// and nothing changed, for an empty text, in read-only mode and while the editor is locked.
bool replaceEntryText(MainPort& main, const QString& text);

// The main window of the program; nullptr while there is none.
MainPort* mainPort();
// Sets it (the main window when it is made, tests their fake); returns the one it replaces.
MainPort* setMainPort(MainPort* port);

} // namespace platform
