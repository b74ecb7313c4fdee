#pragma once
// Whole files read and written the way the program keeps them: names found without regard to
// case, Windows-1252 text (or UTF-8 with the byte-order mark), files replaced atomically. A
// failure fills the current error record (rt::Err) and is never taken for an empty file.
#include <QByteArray>
#include <QString>

#include <optional>

#include <sys/stat.h>

class QFileInfo;

namespace platform {

// The Windows read-only attribute as Linux shows it: no write permission for anyone, or none for
// this user. It holds for the super-user too, who could otherwise write any file.
bool writeProtected(const QFileInfo& info);

// A plain file read whole without waiting, and without touching the error record: the open never
// waits (a pipe in place of the file would wait for a writer), and only a regular file is read,
// after one fstat.
struct PlainFile {
    enum class State { Read, Missing, Failed };
    State state = State::Missing; // Missing: no such file, or no such folder
    QByteArray bytes;
    int error = 0; // for Failed: errno of the open or read; EISDIR a folder, EINVAL another
                   // file that is no regular one, EFBIG one beyond the limit
    bool throughLink = false; // the name was a link, opened in a second step (refuseLinksFirst)
    struct stat info {};      // what fstat gave of the opened file
};

// Reads the file at path (spelt as on disk). A file larger than limit bytes (when not negative)
// is not read. With refuseLinksFirst, the name is first opened without following a link, so the
// caller learns whether it was one and can judge what it leads to. With sizeIsFinal, the size
// fstat gave is all that is read (one read: for files the program replaces only by a rename);
// else the file is read to its end.
PlainFile readPlainFile(const QString& path, qint64 limit = -1, bool refuseLinksFirst = false,
                        bool sizeIsFinal = false);

// The bytes of the file as they are on disk; nothing when it cannot be read (error 53 missing,
// 76 folder missing, 70 refused, 75 a folder, a pipe, a device or another failure, 57 a failed
// read).
std::optional<QByteArray> readFile(const QString& path);

// The text of the file (rt::decodeText of its bytes); nothing when it cannot be read, with the
// errors of readFile.
std::optional<QString> readTextFile(const QString& path);

// The same, but "" when there is no file of that name (or a folder stands there): a missing file
// is empty text, a file that cannot be read is a failure.
std::optional<QString> readTextFileOrEmpty(const QString& path);

// Replaces the file by bytes: atomically through a temporary file and a rename; the new file gets
// the owner, group and mode of the old one (where we may give it away). Only where the folder
// refuses the temporary file by permission, or refuses the rename, is an existing file rewritten
// in place, and then only once the room for the whole new content is there. A full disk (no free
// blocks, no free inodes, a quota) leaves the old file byte for byte. False on failure (error 76
// folder missing, 70 refused, 61 disk full, 57 a failed write, 75 another failure).
bool writeFile(const QString& path, const QByteArray& bytes);

// Creates path as a new file holding bytes, readable and writable by the user alone (a copy
// for another program, in a folder others may write to as well). Never replaces, nor follows,
// whatever stands under that name already, a link included: false with error 58 then. Other
// failures as writeFile (76, 70, 61, 57, 75); a file that could not be written whole is removed.
bool writeNewFile(const QString& path, const QByteArray& bytes);

// writeFile of the text in the program's encoding (rt::encodeText).
bool writeTextFile(const QString& path, const QString& text);

} // namespace platform
