#pragma once
// The data folder of a diary inside a test's temporary folder, and the state of the store and
// the foundation that a test of a diary leaves behind. Header only, like temp_settings.h: the
// test executable links korvanel_store.
//
//   TempSettingsFolders folders;
//   DataFolder daten{folders.temp(), QStringLiteral("Daten")};
//   resetDiaryState();
//   daten.use();                          // foundation::ordnerDat is <temp>/Daten now
//   daten.write(QStringLiteral("Info.Txt"), "Mein Tagebuch\r\n");
#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"
#include "support/temp_folder.h"


// Forgets the diary shown, the index of its days, the day files read, the read-only mode and
// the debug log.
inline void resetDiaryState()
{
    store::resetStoreState();
    store::resetTagesverzeichnis();
    store::resetTagesdateien();
    foundation::resetNurLesen();
    foundation::resetDebugLogbuch();
}

// Starts the debug log afresh, switched on.
inline void restartDebugLog()
{
    foundation::resetDebugLogbuch();
    foundation::debugModus = 1;
}

class DataFolder {
public:
    // relative: the folder below temp, without a final "/".
    DataFolder(const TempFolder& temp, const QString& relative) : temp_(temp), relative_(relative)
    {
    }

    // Creates the folder.
    void create() const { temp_.makeFolder(relative_); }
    // Settles the folders of the foundation, then makes this folder (created) the data folder,
    // with the debug log in it.
    void use() const
    {
        foundation::OrdnerBereitstellen();
        foundation::ordnerDat = path();
        foundation::debugDatei = foundation::ordnerDat + QStringLiteral("/Debug.txt");
        create();
    }

    QString path() const { return temp_.file(relative_); }
    // The file's path below the temporary folder, for TempFolder's own functions.
    QString relative(const QString& name) const { return relative_ + u'/' + name; }

    void write(const QString& name, const QByteArray& bytes) const
    {
        temp_.write(relative(name), bytes);
    }
    QByteArray read(const QString& name) const { return temp_.read(relative(name)); }
    bool exists(const QString& name) const { return temp_.exists(relative(name)); }

private:
    const TempFolder& temp_;
    QString relative_;
};
