#pragma once
// The day views on a diary "Txt" in a data folder of the test's own, with the fake main window,
// a fixed clock, recorded dialogs, printer and shell, and the keys the test says are held.
#include "foundation/error_dialog.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "platform/form.h"
#include "store/cipher.h"
#include "store/store_host.h"
#include "store/store_state.h"
#include "support/data_folder.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_keyboard.h"
#include "support/fake_main_port.h"
#include "support/fake_shell.h"
#include "support/fake_store_host.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"
#include "textlib/calendar.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>

inline QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class ViewsTest : public ::testing::Test {
protected:
    ViewsTest()
    {
        resetDiaryState();
        textlib::resetKalender();
        datenordner.use();
        store::korvanelKuerzel = u8("Txt");
        store::schluessel = QString::fromLatin1(store::festerSchluessel);
        foundation::setFehlerBehandlungFuerTests([this](int nummer, const QString& text) {
            fehler.append(QString::number(nummer) + u' ' + text);
            return 2;
        });
        // A printer is installed, so that no print ends with the message about a PDF file.
        papier.setPrinters({{u8("Laser"), u8("ipp://laser.local"), u8("Generic PCL 6")}});
    }
    ~ViewsTest() override
    {
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        foundation::setFehlerBehandlungFuerTests({});
        resetDiaryState();
        textlib::resetKalender();
    }

    void schreiben(const QString& relative, const QByteArray& bytes) const
    {
        datenordner.write(relative, bytes);
    }
    QByteArray lesen(const QString& relative) const { return datenordner.read(relative); }
    bool vorhanden(const QString& relative) const { return datenordner.exists(relative); }
    // The key of Brisol.ini in the data folder, "<fehlt>" when it is not there.
    QString ini(const char* abschnitt, const char* schluessel) const
    {
        return foundation::IniLesen({}, u8(abschnitt), u8(schluessel), u8("<fehlt>"));
    }
    std::map<QString, QByteArray> datenordnerInhalt() const
    {
        return folderContents(foundation::ordnerDat);
    }

    // Runs job as soon as a window of class W shows (as the user's answer to it); the events
    // processed before, while an opener still prepares it, are let pass.
    template <class W>
    static void sobaldOffen(const std::function<void(W*)>& job, int versuche = 200)
    {
        QTimer::singleShot(0, [job, versuche] {
            W* fenster = platform::findForm<W>();
            if (fenster == nullptr || !fenster->isVisible()) {
                ASSERT_GT(versuche, 0) << "the window never showed";
                sobaldOffen<W>(job, versuche - 1);
                return;
            }
            job(fenster);
        });
    }

    TempSettingsFolders folders;
    DataFolder datenordner{folders.temp(), u8("Daten")};
    FakeMainPort main;
    InstalledFake<FakeStoreHost> host{store::setStoreHost};
    InstalledFake<FakeDialogs> dialogs{platform::setDialogs};
    InstalledFake<FakeClock> uhr{platform::setClock, rt::dateTimeOf(2024, 7, 1, 9, 30)};
    InstalledFake<FakeKeyboard> tasten{platform::setKeyboard};
    InstalledFake<FakeShell> shell{platform::setShell};
    InstalledFake<RecordingPrintSurface> papier{platform::setPrinter};
    QStringList fehler; // "<number> <text>" of each error that reached the error dialog
};
