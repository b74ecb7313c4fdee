#pragma once
// The spelling check of the shown entry (menu "Rechtschreibprüfung mit &Word...", Ctrl+W, the
// tool-bar button "btnRechtschreib"): the entry's words are checked against a German Hunspell
// dictionary in the window Rechtschreibung (spelling_dialog.h), and the corrected text is
// offered back to the editor.
#include <QString>

#include <optional>

namespace integration {

// The dictionary for the setting "WordLanguageID" of the program's section: 1031 "de_DE",
// 3079 "de_AT", 2055 "de_CH"; any other value, and a dictionary that is not installed, "de_DE".
QString woerterbuchSprache(const QString& wordLanguageId);

// The name of a dictionary's language for the user: "Deutsch (Deutschland)", "Deutsch
// (Österreich)", "Deutsch (Schweiz)"; other codes as they are.
QString sprachName(const QString& language);

// A word of a text to check: where it stands (0-based, in characters of the text) and the
// character directly behind it that makes another spelling of it ("." of an abbreviation such
// as "usw.", "-" of a first part such as "Vorder-" in "Vorder- und Rückseite"), or "".
struct Wortstelle {
    int start = 0;
    int laenge = 0;
    QString anhang;
    friend bool operator==(const Wortstelle&, const Wortstelle&) = default;
};

// The next word of text at or after position from, which must not lie inside a word. Words are
// runs of letters (umlauts and "ß" included) with hyphens and points between letters ("Ost-West",
// "z.B"); apostrophes and other signs separate them. Skipped: letters joined to digits ("10kg",
// "A4", "3er"), words of more than 100 letters, and every blank-separated piece that is a link
// or an e-mail address (holding "@" or "://", or beginning with "www."). nullopt when no word is
// left.
std::optional<Wortstelle> naechstesWort(const QString& text, int from);

// The command: nothing for an entry that is empty but for blanks, nor in read-only mode. The
// dictionary is loaded now (never before the first check); when not even "de_DE" is installed,
// the central error dialog gets "Es ist ein Fehler bei 'Rechtschreibprüfung mit Word'
// aufgetreten." and nothing else happens. The window opens at the first unknown word (not at
// all when there is none), its name "Rechtschreibung..." in the status panel "Status" while it
// is open and "Bereit" afterwards; its result, with every line end as CR LF, then:
// - equal to the entry: the status panel "Status" says "Rechtschreibprüfung abgeschlossen";
// - empty: the user is asked first (Yes/No, No the default), and only Yes empties the entry;
// - otherwise it replaces the entry at once (which marks it unsaved).
// Should the entry or the shown day have changed while the window was open, the result is not
// taken and the user is told so. The editor gets the focus at the end.
void mnuWordCheck_Click();

} // namespace integration
