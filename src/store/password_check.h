#pragma once
// The password of a diary at opening: the header stored in its day files, the memo of
// passwords shown in this run (so that a diary is asked for once per run), and the check that
// the main window runs when it has opened a diary.
//
// The main window, after emptying kennwortLesen and kennwortSchreiben for the diary now in
// korvanelKuerzel, calls
//
//   store::KennwortBeimÖffnenPrüfen();
//
// which returns when the user may see the diary (both passwords then hold the accepted one) and
// otherwise ends the program through the prompt. The command line's "Korvanel=Txt:kennwort"
// goes into the memo with KennwortMerken.
#include <QString>
#include <QStringList>

namespace store {

// The memo of passwords shown in this run (the main window's hidden list ListeKW): each item is
// the short name in upper case followed directly by the password. Only in memory.
extern QStringList ListeKW;

// Adds the item of a diary and its password to the memo (the last item of a diary counts).
void KennwortMerken(const QString& kuerzel, const QString& kennwort);

// The path of Korvanel.ini, the per-diary settings in the data folder.
QString korvanelIniPfad();

// The diary's password hint ("KennwortHilfe" in its section of Korvanel.ini), or "Bitte das
// Kennwort eingeben." when none is stored.
QString KennwortHilfeLesen(const QString& kuerzel);

// The header of 15 characters stored in the open diary's day files: that of the shown day's file
// (aktDatum) when it exists and can be read, else that of the last day of the day index. Empty
// when that file is plain text or there is no day file.
QString GespeichertesKennwortLesen();

// The check at opening. With a stored header of the diary, the password comes from the memo
// (the last item of the diary, compared exactly) or, when that does not match the header, from
// the prompt; the accepted password is put into the memo, which is then emptied again when
// "KWMemoImRam" of Brisol.ini is 0. Returns when the user is entitled to the diary; ends the
// program otherwise.
void KennwortBeimÖffnenPrüfen();

// Whether a password may hold the character: one of Windows-1252 (the header is stored in it)
// that can be typed, so no control character. A header made of anything else is no header
// this program wrote: the file is damaged, and no password opens it.
bool KennwortZeichenErlaubt(QChar zeichen);
// Whether kopf is a password header this program can have written: 15 characters that a
// password may hold.
bool KennwortKopfGueltig(const QString& kopf);

// The largest day file that is read (16 MiB); a larger one is an unreadable day.
inline constexpr qint64 tagesdateiGrenze = 16 * 1024 * 1024;

// The answer of the error dialog at the last failed write of EintragDateiSchreiben (5 go on,
// anything else stop); 0 when its last call showed none.
int letzteSchreibAntwort();

// Tests: an empty memo.
void resetKennwortMemo();

} // namespace store
