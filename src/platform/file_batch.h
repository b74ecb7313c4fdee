#pragma once
// Many files replaced as one job (text_file.h replaces one).
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

#include <sys/types.h>

namespace platform {

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

} // namespace platform
