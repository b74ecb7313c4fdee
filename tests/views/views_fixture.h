#pragma once
// The day views on a diary "Txt" in a data folder of the test's own, with the fake main window,
// scripted dialogs, a fixed clock, recorded sounds, printer and shell, a clipboard of the
// test's own, the keys the test says are held, and every error that reaches the error
// dialog recorded instead.
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "platform/form.h"
#include "print/printer_set.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/store_host.h"
#include "store/store_state.h"
#include "support/data_folder.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_keyboard.h"
#include "support/fake_main_port.h"
#include "support/fake_mouse_pointer.h"
#include "support/fake_shell.h"
#include "support/fake_sound.h"
#include "support/fake_store_host.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"
#include "textlib/calendar.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QStringList>
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
        print::druckJob.clear();
        resetDiaryState();
        textlib::resetKalender();
    }

    // Shows the day in the store's state and in the main window.
    void zeigeTag(const QString& datum)
    {
        main.setDateCaption(datum);
        store::aktDatum = datum;
        store::aktTagesdatei = store::DatumZuTagesnummer(datum) + u'.' + store::korvanelKuerzel;
    }

    // The day file of "yyyymmdd" with these bytes.
    void eintrag(const char* tagesnummer, const QByteArray& bytes) const
    {
        const QString name = QString::fromLatin1(tagesnummer);
        datenordner.write(name.left(4) + u'/' + name + QStringLiteral(".Txt"), bytes);
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

    // A value of Brisol.ini, default section.
    static QString einstellung(const QString& key)
    {
        return foundation::IniLesen({}, {}, key, u8("<fehlt>"));
    }

    static QStringList zeilen(const QListWidget* liste)
    {
        QStringList texte;
        for (int i = 0; i < liste->count(); ++i)
            texte.append(liste->item(i)->text());
        return texte;
    }

    // Runs job with the printer-settings window answered by answer as soon as it shows.
    static void mitDruckeinstellungen(const std::function<void(print::PrinterSet*)>& answer,
                                      const std::function<void()>& job)
    {
        QTimer::singleShot(0, [answer] {
            if (auto* w = platform::findForm<print::PrinterSet>())
                answer(w);
        });
        job();
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
    InstalledFake<FakeSound> sound{platform::setSound};
    InstalledFake<FakeClipboard> clipboard{platform::setClipboard};
    InstalledFake<FakeMousePointer> pointer{platform::setMousePointer};
    InstalledFake<FakeClock> uhr{platform::setClock, rt::dateTimeOf(2024, 7, 1, 9, 30)};
    InstalledFake<FakeKeyboard> tasten{platform::setKeyboard};
    InstalledFake<FakeShell> shell{platform::setShell};
    InstalledFake<RecordingPrintSurface> papier{platform::setPrinter};
    QStringList fehler; // "<number> <text>" of each error that reached the error dialog
};
