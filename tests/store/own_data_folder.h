#pragma once
// A data folder of its own for the store's tests: "<temp>/daten" given on the command line, so
// that it is not the program folder, with the folders of the foundation set up for it.
#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "platform/command_line_text.h"
#include "support/temp_settings.h"

#include <QString>

class EigenerDatenOrdner {
public:
    EigenerDatenOrdner()
    {
        foundation::resetNurLesen();
        folders_.temp().makeFolder(QStringLiteral("daten"));
        platform::setCommandLine({QStringLiteral("/OrdnerDat=") + path()});
        foundation::OrdnerFestlegen();
    }
    ~EigenerDatenOrdner() { foundation::resetNurLesen(); }
    EigenerDatenOrdner(const EigenerDatenOrdner&) = delete;
    EigenerDatenOrdner& operator=(const EigenerDatenOrdner&) = delete;

    QString path() const { return folders_.temp().file(QStringLiteral("daten")); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        folders_.temp().write(QStringLiteral("daten/") + name, bytes);
    }
    QByteArray read(const QString& name) const
    {
        return folders_.temp().read(QStringLiteral("daten/") + name);
    }
    bool exists(const QString& name) const
    {
        return folders_.temp().exists(QStringLiteral("daten/") + name);
    }
    const TempSettingsFolders& folders() const { return folders_; }

private:
    TempSettingsFolders folders_;
};
