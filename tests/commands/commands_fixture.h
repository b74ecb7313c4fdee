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
        folders.temp().makeFolder(u8("Daten"));
        foundation::OrdnerBereitstellen();
        foundation::ordnerDat = folders.temp().file(u8("Daten"));
        foundation::debugDatei = foundation::ordnerDat + u8("/Debug.txt");
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
        store::resetStoreState();
        store::resetTagesverzeichnis();
        store::resetTagesdateien();
        foundation::resetNurLesen();
        foundation::resetDebugLogbuch();
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
        folders.temp().write(u8("Daten/") + relative, bytes);
    }
    QByteArray lesen(const QString& relative) const
    {
        return folders.temp().read(u8("Daten/") + relative);
    }
    bool vorhanden(const QString& relative) const
    {
        return folders.temp().exists(u8("Daten/") + relative);
    }
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
    FakeMainPort main;
    FakeStoreHost host;
    ScopedService<store::StoreHost> hostGuard{store::setStoreHost, &host};
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    FakeSound sound;
    ScopedService<platform::Sound> soundGuard{platform::setSound, &sound};
    FakeHelp help;
    ScopedService<platform::Help> helpGuard{platform::setHelp, &help};
    FakeRandom random{{0.95, 0.1}};
    ScopedService<platform::Random> randomGuard{platform::setRandom, &random};
    FakeShell shell;
    ScopedService<platform::Shell> shellGuard{platform::setShell, &shell};
    FakeProcesses processes;
    ScopedService<platform::Processes> processesGuard{platform::setProcesses, &processes};
    FakeMousePointer pointer;
    ScopedService<platform::MousePointer> pointerGuard{platform::setMousePointer, &pointer};
    QStringList fehler; // "<number> <text>" of each error that reached the error dialog
};
