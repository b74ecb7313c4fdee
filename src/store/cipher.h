#pragma once
// The cipher of enciphered day files and bookmark files. An enciphered file holds the marker
// "..Korvanel verschlüsselt " (25 characters, Windows-1252) followed directly by the cipher text
// of the plain form. The plain form is first put into the file encoding of the program
// (Windows-1252 when every character fits, else UTF-8 with the byte-order mark); the cipher
// works on those bytes, so the cipher text has exactly as many bytes as that encoding.
//
// The cipher is a gate, not a protection against someone who has the program: the key is one
// fixed string of the program, and the password only decides who may see an entry.
#include <QByteArray>
#include <QString>

#include <optional>

namespace store {

// The program's fixed cipher key (17 lower-case letters). The main window's load puts it into
// schluessel.
inline constexpr char festerSchluessel[] = "quendelmoorwiesen";

// "..Korvanel verschlüsselt "
const QString& verschluesseltMarke();
// The marker in its file bytes.
const QByteArray& verschluesseltMarkeBytes();

// Enciphers or deciphers text in place with key: XOR with a key stream whose block i (32 bytes)
// is SHA-256 of the key bytes followed by i as 8 bytes little-endian. The length stays, the key
// is not changed, and applying it twice gives the text back.
void Encrypt2(QByteArray& text, const QByteArray& key);

// The enciphered file form of plain (marker and cipher text), with schluessel as the key.
QByteArray verschluesselteForm(const QString& plain);
// The plain form of file bytes that begin with the marker, deciphered with schluessel; nothing
// when the bytes do not begin with the marker.
std::optional<QString> verschluesselteFormLesen(const QByteArray& bytes);

} // namespace store
