#pragma once
// The desktop of a test: settings and data folders of its own, and recording fakes of the
// shell, the processes, the clock, the dialogs, the clipboard and the mouse pointer. Errors that
// reach the central error dialog are recorded and answered with "go on" unless the test says
// otherwise.
#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/ini_store.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_mouse_pointer.h"
#include "support/fake_processes.h"
#include "support/fake_shell.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QFile>
#include <gtest/gtest.h>

inline QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class IntegrationTest : public ::testing::Test {
protected:
    IntegrationTest()
    {
        foundation::setFehlerBehandlungFuerTests([this](int number, const QString& text) {
            errors.push_back(QString::number(number) + u' ' + text);
            return errorAnswer;
        });
        foundation::IniSchreiben(QString(), u8("Allgemein"), u8("User"), u8("Anna"));
        pointer.set(platform::vbIbeam);
    }
    ~IntegrationTest() override
    {
        foundation::setFehlerBehandlungFuerTests({});
        foundation::resetDebugLogbuch();
    }

    static void setLink(const char* key, const QString& value)
    {
        foundation::IniSchreiben(QString(), u8("Verknüpfung"), u8(key), value);
    }

    // Switches the debug log on; debugLog() reads what was written since.
    static void debugLogOn()
    {
        foundation::IniSchreiben(QString(), u8("Allgemein"), u8("DebugMode"), u8("1"));
        foundation::resetDebugLogbuch();
    }
    static QString debugLog()
    {
        QFile log(foundation::debugDatei);
        return log.open(QIODevice::ReadOnly) ? QString::fromLatin1(log.readAll()) : QString();
    }

    // A small program at relative (folders on the way created): a shell script that does
    // nothing, executable.
    QString makeProgram(const QString& relative) const
    {
        folders.temp().write(relative, "#!/bin/sh\nexit 0\n");
        const QString path = folders.temp().file(relative);
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner
                                        | QFileDevice::ExeUser);
        return path;
    }

    TempSettingsFolders folders;
    InstalledFake<FakeShell> shell{platform::setShell};
    InstalledFake<FakeProcesses> processes{platform::setProcesses};
    InstalledFake<FakeClock> clock{platform::setClock};
    InstalledFake<FakeDialogs> dialogs{platform::setDialogs};
    InstalledFake<FakeClipboard> clipboard{platform::setClipboard};
    InstalledFake<FakeMousePointer> pointer{platform::setMousePointer};

    QStringList errors; // "<number> <text>" of each error that reached the error dialog
    int errorAnswer = 5;
};
