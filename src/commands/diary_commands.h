#pragma once
// The commands of the "&Korvanel" menu that act on the open diary as a whole: open another
// diary, reopen a recent one, describe it, change its password, delete it, start a second copy
// of the program, save now and hide the window. The main window's click handlers call them;
// they reach the main window through platform::MainPort and the procedures it installs here.
//
//   commands::setHauptfenster({
//       .TagWechseln = [this] { TagWechseln(); },
//       .KorvanelUmgebung = [this](const QString& datum) { KorvanelUmgebung(datum); },
//   });
//   commands::setKorvanelAuswahl([](const QString& name, const QString& datum) { ... });
//   connect(actions->action(u"PulLaden"_qs), &QAction::triggered, [] { commands::PulLaden_Click(); });
#include "platform/form.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace commands {

// What the commands need of the main window besides MainPort. An empty function does nothing.
struct Hauptfenster {
    // Saves the shown entry and loads the day of the date label again.
    std::function<void()> TagWechseln{};
    // Sets up the diary named by korvanelKuerzel and shows the day of the date text.
    std::function<void(const QString& datumText)> KorvanelUmgebung{};
    // Saves the window's settings and reads them again (MainVorgabenSichern, MainVorgabenLaden).
    std::function<void()> VorgabenSichern{};
    std::function<void()> VorgabenLaden{};
    // Lays the window out again from its size (the resize handler).
    std::function<void()> Anordnen{};
    // The ordered shutdown (PulBeenden).
    std::function<void()> Beenden{};
    // Moves and sizes the window (left, top, width and height of its inside, in twips).
    std::function<void(const platform::TwipsGeometry& twips)> Bewegen{};
    // The editor's font and text colour as a font text (foundation::SchriftAlsText), and both
    // set anew.
    std::function<QString()> SchriftText{};
    std::function<void(const QFont& schrift, const QColor& farbe)> SchriftSetzen{};
    // The editor's back colour set anew (MainPort::textPalette gives the present one).
    std::function<void(const QColor& farbe)> HintergrundfarbeSetzen{};
    // The picture behind the editor taken from that file and shown; hidden when the file does
    // not exist or cannot be shown.
    std::function<void(const QString& pfad)> HintergrundbildZeigen{};
    // The mood slider with its label: whether it is shown, and shown or hidden.
    std::function<bool()> StimmungSichtbar{};
    std::function<void(bool sichtbar)> StimmungZeigen{};
    // The auto-save timer switched on (it stops itself when the interval is below a minute).
    std::function<void()> AutosaveEinschalten{};
};
void setHauptfenster(Hauptfenster hauptfenster);
const Hauptfenster& hauptfenster();

// The result of the diary chooser: the short name chosen ("" when it was cancelled) and the
// date text of the start option chosen.
struct KorvanelWahl {
    QString name;
    QString startDatum;
};
// The diary chooser, shown modally: its name field preset with name, its second start option
// with the date shown now. The chooser window installs itself here.
using KorvanelAuswahl =
    std::function<KorvanelWahl(const QString& name, const QString& datumJetzt)>;
void setKorvanelAuswahl(KorvanelAuswahl auswahl);

// The password-change window, shown modally. The window installs itself here.
void setKennwortAendern(std::function<void()> fenster);

// An enabled state that a menu's opening handler gives the main window to apply.
struct Freigabe {
    QString name; // registered name of the menu entry
    bool an = true;
    friend bool operator==(const Freigabe&, const Freigabe&) = default;
};

// Opening the "&Korvanel" menu (PulDatei): in read-only mode the password change is disabled.
std::vector<Freigabe> PulDatei_Oeffnen();

// PulLaden: saves the entry, shows the diary chooser and opens the diary chosen at the start
// date chosen; a cancelled chooser changes nothing.
void PulLaden_Click();
// mnuZuletzt(index): opens the diary whose short name ends the caption of that recent-diaries
// entry, at the date shown now; a diary without its "Info." file is reported and not opened.
void mnuZuletzt_Click(int index);
// PulBeschreiben: asks for the diary's description and writes it as the one line of its
// "Info." file. Nothing in read-only mode.
void PulBeschreiben_Click();
// PulKennwortschutz: saves the entry and shows the password change, for a diary with entries.
void PulKennwortschutz_Click();
// mnuKvLöschen: after a confirmation, moves the diary's day files, its "Info." file and its
// bookmark file into the desktop's trash, then offers the diary chooser. Files that could not
// be moved are reported and stay. Nothing in read-only mode.
void mnuKvLöschen_Click();
// mnuKorvanelExtern: starts the program of [Korvanel] "ExternesBuch", "{Aktuell}" replaced by
// the date shown; a start that fails goes to the error dialog with "Es ist ein Fehler beim
// Starten von »<ExternesBuch>« aufgetreten.".
void mnuKorvanelExtern_Click();
// mnuEintragSichern: saves the entry now.
void mnuEintragSichern_Click();
// mnuScrUnsichtbar: minimises the main window.
void mnuScrUnsichtbar_Click();

// The files of the open diary that a deletion moves to the trash: its day files in the year
// folders of the data folder (names of eight digits, a dot and the short name, in any case), its
// "Info." file and its bookmark file "LeseZeic.", those that exist, in that order.
QStringList korvanelDateien();

// Tests: forgets the installed procedures and windows.
void resetDiaryCommands();

} // namespace commands
