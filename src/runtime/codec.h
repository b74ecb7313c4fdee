#pragma once
// Windows-1252 ("ANSI") text, the encoding of every text file the program keeps.
#include <QByteArray>
#include <QString>

namespace rt {

// Code page 1252: 0x80-0x9F by the Windows table (0x80 is "€", 0x93 is U+201C), Latin-1
// elsewhere. The five bytes without a character (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same number, so that every byte goes through and back.
QChar ansiToChar(unsigned char byte);
// The byte of a character, or -1 when the character has none in code page 1252.
int charToAnsi(QChar ch);

bool fitsAnsi(const QString& text);
// Unmappable characters become "?".
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);

// VB Chr/Asc over code page 1252: Chr(147) is U+201C, Asc("€") is 128. Asc of "" is 0 (and the
// current error is set to 5); Asc of a character without a byte is 63 ("?").
QChar Chr(int code);
int Asc(const QString& text);

// Text files: reading takes a file that starts with the UTF-8 byte-order mark as UTF-8, every
// other file as Windows-1252. Writing uses Windows-1252 when every character fits, otherwise the
// whole text becomes UTF-8 with the byte-order mark, so nothing a user typed is lost. A text whose
// Windows-1252 bytes would begin with the mark itself ("ï»¿...") is written as UTF-8 too.
QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);
bool hasUtf8Bom(const QByteArray& bytes);

// Text that comes from outside the program (a file another program saved, a dropped or imported
// file): UTF-8 when it starts with the byte-order mark (which is dropped) or is valid UTF-8
// throughout, otherwise Windows-1252. Plain ASCII reads the same either way.
QString decodeExternalText(const QByteArray& bytes);

} // namespace rt
