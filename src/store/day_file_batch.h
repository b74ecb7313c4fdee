#pragma once
// The day files of a pass over many days, written as one job (day_files.h writes one).
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace platform {
class FileBatch;
}

namespace store {

// Writes the day files of a pass over many days (a new password for every entry, ...) at once:
// each new file is written under a temporary name beside its day file, then all are flushed
// together, then each is renamed into place. A kill at any moment leaves every day file old or
// new, so the pass can be run again to finish; the temporary files it leaves behind are removed
// by StapelResteEntfernen. While a pass runs it holds a lock in the data folder, so that another
// copy of the program does not take its temporary files for leftovers.
class TagesdateiStapel {
public:
    TagesdateiStapel();
    ~TagesdateiStapel(); // what was noted and not put in place is removed
    TagesdateiStapel(const TagesdateiStapel&) = delete;
    TagesdateiStapel& operator=(const TagesdateiStapel&) = delete;

    // Notes text as the new content of the day file, with the checks of EintragDateiSchreiben
    // (read-only mode, a file that failed to load or cannot be read, the year folder created),
    // enciphered as EintragDateiSchreiben does. Only for a text that is not empty. False when it
    // could not be noted: the day file stays as it was.
    bool vormerken(const QString& dateiName, const QString& text);

    // Puts every noted file in place; the names of the day files that stay as they were.
    QStringList abschliessen();

private:
    std::unique_ptr<platform::FileBatch> stapel_;
    std::unique_ptr<QLockFile> sperre_;
    QSet<QString> jahresordner_; // year folders that are there
};

// Removes the temporary files that a pass over many days left in the year folders when it was
// killed, unless a pass of another copy of the program is running. Nothing in read-only mode.
void StapelResteEntfernen();

} // namespace store
