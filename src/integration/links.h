#pragma once
// Links in the text of an entry: what a double-clicked word names (an e-mail address, a web or
// ftp link, a file, a program call) and opening it; the shell open of files and folders that
// other windows use; and the terms of use in the help.
#include <QString>

namespace integration {

// The kinds of a text, as bits.
inline constexpr qint32 linkDatum = 2;     // a date ("5.3.2024"), at least 6 characters
inline constexpr qint32 linkEMail = 4;     // an e-mail address (foundation::EMailPruefen)
inline constexpr qint32 linkWeb = 8;       // holds "https://", "http://", "ftp://", "www.",
                                           // "www2." or "www3." and is long enough for a host
inline constexpr qint32 linkDatei = 16;    // nothing of the above, and names an existing file
inline constexpr qint32 linkProgramm = 32; // nothing of the above, holds ".exe " and its text up
                                           // to the first blank names an existing file

// The kind bits of text (compared trimmed and in lower case); 0 when nothing is recognised.
qint32 LinkArt(const QString& text);

// Opens what text names and returns whether it named something to open: an e-mail address, a
// web link, a file or a program call count even when the desktop or the program then fails
// (that is not reported), a copy command does not. A text of at least
// three characters is trimmed and loses one final "." and then one final "," (the end of a
// sentence), except a "$CpyZA" text. Then, in this order:
// - an e-mail address: an e-mail to it (foundation::EMailSenden);
// - a link to the video site when [Verknüpfung] "YouTubeDownloader" names an existing file:
//   "YouTubeDownloaderPre" (a command line) is started first and given a second, the link is
//   put on the clipboard and the downloader started with the link; the browser stays closed.
//   A downloader that cannot be started leaves the link to the browser;
// - a web link: opened in the browser; several links joined by "|" are opened in turn, with
//   3.1 s after the first thing done in this call and 0.9 s after each other;
// - an existing file: opened with its program;
// - a program call: the program started with the rest of the text as its arguments;
// - "$CpyZA" (any case) and text: the text behind the first ":" (all of it without one),
//   markup prepared ("~" a line break) and trimmed, goes to the clipboard; that counts as
//   nothing opened.
bool LinkOeffnen(const QString& text);

// Opens a file, folder or address with the desktop's program for it while the busy pointer
// shows; nothing for an empty path.
void DateiOeffnen(const QString& path);

// Shows the terms of use in the program's help (Korvanel.chm in the program folder, topic 6001).
void AGBZeigen();

} // namespace integration
