#pragma once
// Jobs on the list and combo controls of the windows: a list from a text file and back, joined
// into one text, copied to another list or the clipboard, extended unless the text is there,
// entries removed or marked by a pattern, an entry found by its beginning, neighbouring
// duplicates removed, and a list printed with a page header.
//
//   textlib::ListeAusDatei(lstStichwort, pfad);          // a QListWidget* or a QComboBox*
//   textlib::ListeErgaenzen(cboSuchbegriff, text);
//   const int markiert = textlib::ListeMarkieren(lstTage, QStringLiteral("2024"), true);
//
// The jobs that may take a while (reading, writing, copying, marking, duplicates, clipboard,
// printing) show the hourglass and put the former mouse pointer back at the end.
#include <QString>

class QComboBox;
class QListWidget;
class QWidget;

namespace textlib {

// A list box or a combo box, seen the same way: entries counted from 0, appended at the end,
// removed one by one or all at once, and a selection mark per entry.
//
// The mark: in a list box with several selectable entries each entry has its own mark. A combo
// box and a list box in single selection hold at most one mark, the current entry: marking an
// entry makes it the current one (the former one loses its mark), and clearing the mark of the
// current entry leaves no entry current. A null control is an empty list that changes nothing.
class ListControl {
public:
    // Implicit on purpose: a job takes the control itself.
    ListControl(QListWidget* list) : list_(list) {}
    ListControl(QComboBox* combo) : combo_(combo) {}

    int ListCount() const;
    // The text of entry index; "" outside 0 .. ListCount() - 1.
    QString List(int index) const;
    void AddItem(const QString& text);
    // Removes entry index; an index outside the list changes nothing.
    void RemoveItem(int index);
    void Clear();
    bool Selected(int index) const;
    void setSelected(int index, bool selected);
    // Repaints the control.
    void Refresh();

    // The control itself (nullptr for a null control).
    QWidget* widget() const;

private:
    QListWidget* list_ = nullptr;
    QComboBox* combo_ = nullptr;
};

// Appends every line of the text file (Windows-1252, or UTF-8 with byte-order mark), empty lines
// included, to the list without clearing it first; CR LF, LF and CR each end a line, and a line
// break at the end of the file starts no further entry. A missing file changes nothing and
// counts as done. False when the file exists but could not be read (rt::Err says why); the list
// is then unchanged.
bool ListeAusDatei(ListControl liste, const QString& pfad);

// Writes every entry as one line ending in CR LF, in list order (Windows-1252 when every
// character fits, else UTF-8 with byte-order mark); an empty list gives an empty file. The file
// is replaced atomically; only in a folder that refuses new files is an existing file rewritten
// in place. False when the file could not be written (rt::Err says why); a file that could not
// be opened for writing stays as it was.
bool ListeInDatei(ListControl liste, const QString& pfad);

// Every entry followed by the separator (";" when it is empty): "a;b;". An empty list gives "".
QString ListeVerketten(ListControl liste, const QString& trenner);

// Clears the target and appends every entry of the source in order, then repaints the target.
// A list copied onto itself stays as it is.
void ListeKopieren(ListControl quelle, ListControl ziel);

// Appends text unless an entry equals it without regard to case.
void ListeErgaenzen(ListControl liste, const QString& text);

// Removes every entry that contains the pattern (blanks trimmed, without regard to case, with
// "*", "?", "#" and "[...]" as wildcards; the entries that stay keep their order). A pattern of
// blanks changes nothing. An invalid pattern is reported once in a message box and changes
// nothing.
void ListeFiltern(ListControl liste, const QString& muster);

// Whether the pattern (prepared as in ListeFiltern) can be matched at all; one that cannot (an
// unclosed "[", a reversed range) is reported in a message box. For a caller that filters many
// texts by a pattern typed by the user: it checks once, before the first text.
bool SuchmusterPruefen(const QString& muster);

// Marks every entry that contains the pattern (prepared as in ListeFiltern; an empty pattern
// marks every entry) and returns how many it marked. With leerenZuerst each entry's mark is
// cleared before its test; without, the marks of other entries stay. An invalid pattern is
// reported once in a message box, changes nothing and gives 0.
int ListeMarkieren(ListControl liste, const QString& muster, bool leerenZuerst);

// The index of the last entry whose first characters are exactly text (case counts); -1 when
// none. An empty text fits every entry, so the last index comes back.
int ListeBeginntMit(ListControl liste, const QString& text);

// Puts every entry, each followed by CR LF, on the clipboard in place of what it held.
void ListeAlsText(ListControl liste);

// Prints the list on the current printer, one entry per line without wrapping, in the font
// schriftName ("Arial" when empty) of size schriftGroesse (10 when it is 4 or less), at linkerRand
// cm from the left of the printable area. Every page begins with the header, printed bold 0.5 cm
// below the top: the text kopfzeile with "&[Seite]" replaced by the page number, "&[Datum]" by
// today as "dd.mm.yyyy" and "&[Zeit]" by the time as "hh:nn" (in any case), followed by an empty
// line. The page footer (DruckFusszeile) ends the last page when the settings ask for it; its
// band is then kept free of entries on every page. The document is sent at the end. The scale
// becomes centimetres; a top margin the caller set with a negative ScaleTop is kept on every
// page. A missing or failing printer lets the job run through without output or message.
void ListeDrucken(ListControl liste, const QString& kopfzeile, const QString& schriftName,
                  double schriftGroesse, double linkerRand);

// Removes every entry that equals the entry after it without regard to case, so of a run of
// equal neighbours only the last stays (with its mark); equal entries that are apart all stay.
void ListeDoppelteEntfernen(ListControl liste);

} // namespace textlib
