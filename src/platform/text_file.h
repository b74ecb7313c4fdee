#pragma once
// Whole files read and written the way the program keeps them: names found without regard to
// case, Windows-1252 text (or UTF-8 with the byte-order mark), files replaced atomically. A
// failure fills the current error record (rt::Err) and is never taken for an empty file.
#include <QByteArray>
#include <QString>

#include <QStringList>

#include <optional>
#include <vector>

#include <sys/types.h>

class QFileInfo;

namespace platform {

// The Windows read-only attribute as Linux shows it: no write permission for anyone, or none for
// this user. It holds for the super-user too, who could otherwise write any file.
bool writeProtected(const QFileInfo& info);

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

// Replaces the file by bytes: atomically through a temporary file (".<name>.XXXXXX" beside it),
// flushed once, and a rename; a link is followed and stays a link; the new file gets the owner,
// group and mode of the old one (where we may give it away). Only where the folder
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

// Replaces many files at once, for a job over many files: add() writes each new content under a
// temporary name beside its file, commit() flushes them all with one flush of the file system,
// renames each into place and flushes each folder. A kill at any moment leaves every file old or
// new, never partly written; what it leaves behind are temporary files, whose names isLeftover()
// tells. Files that were added but not committed when the batch ends are removed.
//
//   platform::FileBatch batch(dataFolder);
//   for (...) if (!batch.add(path, bytes)) ...;   // the file stays as it was
//   const QStringList old = batch.commit();       // these stay as they were
class FileBatch {
public:
    // folder: a folder on the file system the files lie on (the flush covers that file system;
    // a file on another one gets a flush of its own).
    explicit FileBatch(const QString& folder);
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    // Writes bytes under a temporary name beside path (as writeFile: names found without regard
    // to case, a link followed, owner and mode kept). Where the folder takes no new file by
    // permission, the file is written in place at once, as writeFile does. False on failure,
    // with the errors of writeFile; the file stays as it was.
    bool add(const QString& path, const QByteArray& bytes);

    // Puts every added file in place. The paths (as given to add) whose file stays as it was (a
    // failed flush keeps all of them); the error record then tells why.
    QStringList commit();

    // Whether a file name is one of the temporary names of a batch.
    static bool isLeftover(const QString& name);

private:
    static constexpr const char* leftoverMark = ".stapel-";
    struct Pending {
        QString path;
        QByteArray target;
        QByteArray temporary;
        dev_t device = 0;
    };
    std::vector<Pending> pending_;
    int flushHandle_ = -1;
    dev_t device_ = 0;
};

// writeFile of the text in the program's encoding (rt::encodeText).
bool writeTextFile(const QString& path, const QString& text);

} // namespace platform
