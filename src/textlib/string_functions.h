#pragma once
// Text routines for the rest of the program: repairing UTF-8 read as ANSI, web page to plain
// text, counting and cutting, protecting characters inside quotes, tidying blank lines and
// blanks, line ends, DOS text, converting an amount to Euro, taking the text between markers or
// the first word, exact replacement and filtering by character classes.
//
// A blank is the character 32 and a line break the pair CR LF. "Case-insensitive" means that
// both sides are lower-cased character by character (rt::LCase) before they are compared.
#include <QString>

#include <optional>

class QWidget;

namespace textlib {

// The two-byte UTF-8 forms of ü, Ü, ä, Ä, ö, Ö, ß and é that were read as two Windows-1252
// characters ("Ã¼" and so on) turned back into the character. Everything else stays.
QString Utf8Korrigieren(const QString& text);

// A web page as plain text. Unless tagsRemoved, the line breaks of the page go, "<br>" becomes a
// line break and every tag is dropped (an unclosed "<" drops the rest of the text); then every
// ">" goes, the entities &nbsp; &gt; &auml; &ouml; &uuml; &szlig; &amp; &quot; are decoded (in
// that order, names in any case) and runs of blanks are shortened by two halving passes.
QString HtmlNachText(const QString& html, bool tagsRemoved);

// Case-insensitive occurrences of part in text, overlapping ones included ("aa" is twice in
// "aaa"). An empty part occurs 0 times.
qint32 TeiltextZaehlen(const QString& text, const QString& part);

// Cuts suffix (case-insensitive) off the end of text as long as the text ends with it. An empty
// suffix changes nothing.
QString EndungEntfernen(const QString& text, const QString& suffix);

// Between an opening quote and the next quote, every character that occurs in characters
// (case-insensitive) is overwritten by the first character of replacement; then every quote
// character is removed. Defaults: quote '"' (a longer one counts by its first character),
// characters " ", replacement " ". A text shorter than 3 characters comes back unchanged. The
// search cuts its expression at blanks this way without cutting quoted phrases.
QString AusserhalbZitatErsetzen(const QString& text, const QString& quote,
                                const QString& characters, const QString& replacement);

// Line breaks removed at the start and the end; every run of three or more line breaks inside
// becomes two (one empty line).
QString LeerzeilenBereinigen(const QString& text);

// A line feed inserted behind every carriage return, whether or not one follows already.
QString ZeilenendenAngleichen(const QString& text);

// Text read from a DOS (code page 850) file as Windows-1252 characters, converted to the
// characters that code page 850 meant; same length. Characters that have no Windows-1252 byte
// stay as they are.
QString OemNachAnsi(const QString& text);

// The whole file as one text, line breaks as they stand (a file that starts with the UTF-8
// byte-order mark is read as UTF-8, any other as Windows-1252); "" when the file does not exist.
// nullopt when it exists but cannot be read; the current error record then says why. The mouse
// pointer shows the hourglass meanwhile.
std::optional<QString> DateiEinlesen(const QString& path);
// The same for a text file that comes from outside the program (handed over by another program,
// dropped on the window): UTF-8 when it has the byte-order mark or is valid UTF-8 with at least
// one non-ASCII sequence, else Windows-1252, as other programs on this desktop write text.
std::optional<QString> FremdeDateiEinlesen(const QString& path);

// The amount text of a selection converted to Euro with the rate of [Allgemein] "Währung2Euro"
// of the program settings: "<amount / rate as 0,00> €", or with Shift held
// "<...> € (<text trimmed>)". The amount is read the German way ("1.234,56" is 1234.56). A
// missing, zero or unreadable rate is asked for; "" when the question is cancelled, when the
// user declines to convert a text that already ends in "EUR" or "€", and when the text holds no
// amount. The caller then leaves the selection as it is.
QString InEuroUmrechnen(const QString& amountText);

// Characters of set removed from the start (LinksKuerzen) or the end (RechtsKuerzen) of the
// text as long as they stand there; exact comparison.
QString LinksKuerzen(const QString& text, const QString& set);
QString RechtsKuerzen(const QString& text, const QString& set);

// The first section from startMarker to the following endMarker (searched from the start
// marker's position on, case-insensitive) removed with both markers; the text unchanged when
// either is missing.
QString AbschnittEntfernen(const QString& text, const QString& startMarker,
                           const QString& endMarker);

// The text strictly between the first startMarker and the following endMarker
// (case-insensitive); to the end of the text when the end marker is missing. An empty end marker
// stands for the end of the line (CR or LF). "" for an empty text, an empty or missing start
// marker.
QString TextZwischen(const QString& text, const QString& startMarker, const QString& endMarker);

// The text up to its first character that occurs in delimiters (case-insensitive); empty
// delimiters stand for Tab, CR, LF and " .,-:!?()[]_".
QString ErstesWort(const QString& text, const QString& delimiters);

// Where the quoted string around the caret lies, for ZitatMarkieren: the opening quote is looked
// for backwards from the character behind the caret, the closing one forwards from the character
// after that, neither across a line break (CR or LF). The selection (start counted from 0, length)
// of the text between them, or nullopt when there is no such pair on the caret's line.
struct Auswahl {
    int selStart = 0;
    int selLength = 0;
    friend bool operator==(const Auswahl&, const Auswahl&) = default;
};
std::optional<Auswahl> ZitatBereich(const QString& text, int selStart);

// Selects the text between the double quotes around the caret of a text control (QLineEdit,
// QPlainTextEdit, QTextEdit) within its line; otherwise the selection stays as it was.
void ZitatMarkieren(QWidget* control);

// Every occurrence of find replaced by replacement, exact comparison, never searching an
// inserted replacement again. An empty find changes nothing.
QString TextErsetzenExakt(const QString& text, const QString& find, const QString& replacement);

// The characters of text that occur in allowed, in their order. The class names "#abc" (digits,
// a-z, äöüß, A-Z, ÄÖÜ), "#abc-" (the same and "_-()") and "#0" (digits) stand for their
// characters when allowed equals them exactly.
QString ZeichenFiltern(const QString& text, const QString& allowed);

// Blanks, CR and LF removed at both ends of the text, and up to ten blanks at the start and at
// the end of every line; Tabs stay.
QString LeerraumBereinigen(const QString& text);

// CR and LF removed from the start (unless onlyAtEnd) and from the end of the text.
QString ZeilenumbruchKuerzen(const QString& text, bool onlyAtEnd = false);

} // namespace textlib
