#pragma once
// The main window loaded on a temporary data folder ("<temp>/daten", given on the command line)
// with a fixed clock (Sunday 10.03.2024 12:00), recorded sounds and dialogs, every error
// reported to a recorder, and the state of the store and the window reset around each test.
#include "commands/window_openers.h"
#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/instance_guard.h"
#include "foundation/read_only.h"
#include "foundation/regional_check.h"
#include "foundation/reservation.h"
#include "foundation/statistics.h"
#include "mainwindow/day_picture.h"
#include "mainwindow/main_hooks.h"
#include "mainwindow/main_state.h"
#include "mainwindow/main_window.h"
#include "mainwindow/shutdown.h"
#include "platform/actions.h"
#include "platform/command_line_text.h"
#include "platform/date_label.h"
#include "platform/path_resolver.h"
#include "platform/status_panels.h"
#include "platform/text_box.h"
#include "runtime/codec.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/day_texts.h"
#include "store/password_check.h"
#include "store/password_prompt.h"
#include "store/store_host.h"
#include "store/store_state.h"
#include "support/data_folder.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_program_end.h"
#include "support/fake_sound.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

inline QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

inline QByteArray ansi(const char* utf8)
{
    return rt::toAnsi(s(utf8));
}

class MainFixture : public ::testing::Test {
protected:
    struct Fehler {
        int nummer;
        QString text;
    };

    MainFixture()
    {
        resetAll();
        datenordner.create();
        foundation::setLaendereinstellungFuerTests(
            foundation::laendereinstellungAus(QLocale(QLocale::German, QLocale::Germany)));
        foundation::setFehlerBehandlungFuerTests([this](int nummer, const QString& text) {
            fehler.push_back({nummer, text});
            return 2;
        });
        // Test runs side by side: no instance guard between them.
        schreiben(QStringLiteral("NetWatch.ini"), "[Allgemein]\r\nNoInstanceWatch=1\r\n");
    }

    ~MainFixture() override
    {
        main.reset();
        foundation::setFehlerBehandlungFuerTests({});
        foundation::setLaendereinstellungFuerTests(std::nullopt);
        store::setKennwortAbfrage({});
        store::setPaßwortEingabeAnzeige({});
        resetAll();
    }

    static void resetAll()
    {
        resetDiaryState();
        store::resetDayTexts();
        store::resetKennwortMemo();
        store::resetPaßwortEingabe();
        mainwindow::resetMainState();
        mainwindow::resetMainHooks();
        mainwindow::resetBeenden();
        commands::resetFensterOeffner();
        foundation::resetReservierung();
        foundation::resetStatistik();
        foundation::resetInstanzWaechter();
    }

    // Loads the window with the words of the command line besides the data folder.
    void laden(const QStringList& worte = {})
    {
        platform::setCommandLine(QStringList{QStringLiteral("/OrdnerDat=") + datenOrdner()} + worte);
        main = std::make_unique<mainwindow::Main>();
        main->resize(1000, 700);
        main->show();
        main->Form_Load();
    }

    // Loads the window and opens the diary kuerzel at datum.
    void oeffnen(const QString& kuerzel, const QString& datum, const QStringList& worte = {})
    {
        if (!main)
            laden(worte);
        store::korvanelKuerzel = kuerzel;
        main->KorvanelUmgebung(datum);
    }

    QString datenOrdner() const { return datenordner.path(); }
    QString pfad(const QString& relative) const { return datenOrdner() + u'/' + relative; }
    void schreiben(const QString& relative, const QByteArray& bytes) const
    {
        datenordner.write(relative, bytes);
    }
    QByteArray lesen(const QString& relative) const
    {
        QFile file(platform::resolvePath(pfad(relative)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool vorhanden(const QString& relative) const
    {
        return platform::pathExists(pfad(relative));
    }

    // Every file of the data folder with its bytes, for "nothing written" checks.
    std::map<QString, QByteArray> datenordnerInhalt() const
    {
        return folderContents(datenOrdner());
    }

    QString panel(const char* key) const { return main->panels->text(s(key)); }

    TempSettingsFolders folders;
    DataFolder datenordner{folders.temp(), QStringLiteral("daten")}; // given on the command line
    InstalledFake<FakeClock> clock{platform::setClock, rt::dateTimeOf(2024, 3, 10, 12, 0)};
    InstalledFake<FakeDialogs> dialogs{platform::setDialogs};
    InstalledFake<FakeSound> sound{platform::setSound};
    InstalledFake<FakeProgramEnd> ende{platform::setProgramEnd};
    std::vector<Fehler> fehler;
    std::unique_ptr<mainwindow::Main> main;
};
