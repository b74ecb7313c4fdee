#pragma once
// The main window's commands on a diary "Txt" in a data folder of the test's own, with the fake
// main window, recorded dialogs, sounds, help, programs and shell, and a home folder and
// XDG_DATA_HOME of the test's own, so that the desktop's trash lies inside the test's folder.
#include "commands/diary_commands.h"
#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "platform/path_resolver.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_host.h"
#include "store/store_state.h"
#include "support/data_folder.h"
#include "support/fake_dialogs.h"
#include "support/fake_help.h"
#include "support/fake_main_port.h"
#include "support/fake_mouse_pointer.h"
#include "support/fake_processes.h"
#include "support/fake_random.h"
#include "support/fake_shell.h"
#include "support/fake_sound.h"
#include "support/fake_store_host.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <map>

inline QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest()
    {
        resetAll();
        folders.temp().makeFolder(u8("home"));
        folders.env().set("HOME", folders.temp().file(u8("home")));
        folders.temp().makeFolder(u8("data"));
        datenordner.use();
        store::korvanelKuerzel = u8("Txt");
        store::schluessel = QString::fromLatin1(store::festerSchluessel);
        foundation::setFehlerBehandlungFuerTests([this](int nummer, const QString& text) {
            fehler.append(QString::number(nummer) + u' ' + text);
            return 2;
        });
    }
    ~CommandsTest() override
    {
        foundation::setFehlerBehandlungFuerTests({});
        resetAll();
    }

    static void resetAll()
    {
        commands::resetDiaryCommands();
        resetDiaryState();
    }

    // Shows the day in the store's state and in the main window's date label.
    void zeigeTag(const QString& datum)
    {
        main.setDateCaption(datum);
        store::aktDatum = datum;
        store::aktTagesdatei =
            store::DatumZuTagesnummer(datum) + u'.' + store::korvanelKuerzel.toUpper();
    }

    void schreiben(const QString& relative, const QByteArray& bytes) const
    {
        datenordner.write(relative, bytes);
    }
    QByteArray lesen(const QString& relative) const { return datenordner.read(relative); }
    bool vorhanden(const QString& relative) const { return datenordner.exists(relative); }
    QString imPapierkorb(const QString& name) const
    {
        return folders.dataHome() + u8("/Trash/files/") + name;
    }

    // Every file below the data folder with its bytes.
    std::map<QString, QByteArray> datenordnerInhalt() const
    {
        return folderContents(foundation::ordnerDat);
    }

    TempSettingsFolders folders;
    DataFolder datenordner{folders.temp(), u8("Daten")};
    FakeMainPort main;
    InstalledFake<FakeStoreHost> host{store::setStoreHost};
    InstalledFake<FakeDialogs> dialogs{platform::setDialogs};
    InstalledFake<FakeSound> sound{platform::setSound};
    InstalledFake<FakeHelp> help{platform::setHelp};
    InstalledFake<FakeRandom> random{platform::setRandom, std::vector<double>{0.95, 0.1}};
    InstalledFake<FakeShell> shell{platform::setShell};
    InstalledFake<FakeProcesses> processes{platform::setProcesses};
    InstalledFake<FakeMousePointer> pointer{platform::setMousePointer};
    QStringList fehler; // "<number> <text>" of each error that reached the error dialog
};
