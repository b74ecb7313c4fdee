#pragma once
// Temporary settings and data folders for one test: the XDG folders point into a temporary
// folder, the program folder is a folder there too, and the folders of the foundation start
// unset, so that the first INI access finds them afresh. Everything is put back when the fixture
// ends. For tests of the foundation and the layers above it (header only: the test executable
// links korvanel_foundation).
//
//   <temp>/config                      XDG_CONFIG_HOME; .../Brisols-Programme is ordnerSub
//   <temp>/xdg                         XDG_CONFIG_DIRS; .../Brisols-Programme is WindowsOrdner()
//   <temp>/data                        XDG_DATA_HOME
//   <temp>/program                     the program folder (ordnerPrg), created
//   <temp>/tmp                         environment "Tmp" (ordnerTmp), created
//
//   TempSettingsFolders folders;
//   foundation::IniSchreiben("", "", "x", "1");
//   EXPECT_EQ(folders.temp().read("config/Brisols-Programme/Brisol.ini"), ...);
#include "foundation/command_line.h"
#include "foundation/folders.h"
#include "platform/command_line_text.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

class TempSettingsFolders {
public:
    TempSettingsFolders()
    {
        env_.set("XDG_CONFIG_HOME", temp_.file(QStringLiteral("config")));
        env_.set("XDG_CONFIG_DIRS", temp_.file(QStringLiteral("xdg")));
        env_.set("XDG_DATA_HOME", temp_.file(QStringLiteral("data")));
        env_.set("Tmp", temp_.file(QStringLiteral("tmp")));
        temp_.makeFolder(QStringLiteral("program"));
        temp_.makeFolder(QStringLiteral("tmp"));
        forget();
        foundation::setProgrammOrdnerFuerTests(programFolder());
    }

    ~TempSettingsFolders() { forget(); }

    TempSettingsFolders(const TempSettingsFolders&) = delete;
    TempSettingsFolders& operator=(const TempSettingsFolders&) = delete;

    const TempFolder& temp() const { return temp_; }
    ScopedEnvironment& env() { return env_; }

    QString configHome() const { return temp_.file(QStringLiteral("config")); }
    QString settingsFolder() const
    {
        return temp_.file(QStringLiteral("config/Brisols-Programme"));
    }
    QString defaultsFolder() const { return temp_.file(QStringLiteral("xdg/Brisols-Programme")); }
    QString dataHome() const { return temp_.file(QStringLiteral("data")); }
    QString programFolder() const { return temp_.file(QStringLiteral("program")); }
    QString tmpFolder() const { return temp_.file(QStringLiteral("tmp")); }

    // The bytes of a file of the settings folder; empty when it cannot be read.
    QByteArray settingsFile(const QString& name) const
    {
        return temp_.read(QStringLiteral("config/Brisols-Programme/") + name);
    }
    void writeSettingsFile(const QString& name, const QByteArray& bytes) const
    {
        temp_.write(QStringLiteral("config/Brisols-Programme/") + name, bytes);
    }

private:
    static void forget()
    {
        foundation::resetOrdner();
        foundation::resetParameter();
        platform::resetCommandLine();
    }

    TempFolder temp_;
    ScopedEnvironment env_;
};
