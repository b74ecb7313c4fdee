#pragma once
// A main window for the timers, the start-up and the shutdown: the fake main window (editor,
// date label, status panels) also serves as the store's host, the data folder lies in a folder
// whose path holds a blank, and clock, dialogs, keyboard, help and the program end are fakes.
// The diary environment hook loads the day's entry from its day file, as the main window does.
#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "foundation/reservation.h"
#include "foundation/statistics.h"
#include "mainwindow/main_hooks.h"
#include "mainwindow/shutdown.h"
#include "platform/command_line_text.h"
#include "runtime/dates.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_host.h"
#include "store/store_state.h"
#include "support/data_folder.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_help.h"
#include "support/fake_keyboard.h"
#include "support/fake_main_port.h"
#include "support/fake_program_end.h"
#include "support/fake_store_host.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

inline QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The store sees the fake main window's editor.
class TimersHostOverPort : public FakeStoreHost {
public:
    explicit TimersHostOverPort(FakeMainPort& port) : port_(port) {}
    QString editorText() const override { return port_.text(); }
    void setPanelText(const QString& key, const QString& value) override
    {
        FakeStoreHost::setPanelText(key, value);
        if (beimPanel)
            beimPanel();
    }

    // Runs on every panel write of the store (a timer firing while the store works).
    std::function<void()> beimPanel;

private:
    FakeMainPort& port_;
};

class TimersFixture : public ::testing::Test {
protected:
    TimersFixture()
    {
        resetAll();
        datenordner.use();
        store::schluessel = QString::fromLatin1(store::festerSchluessel);
        foundation::setFehlerBehandlungFuerTests([this](int nummer, const QString& text) {
            fehler.push_back(QString::number(nummer) + s(" ") + text);
            if (beimFehler)
                beimFehler();
            return fehlerAntwort;
        });
        mainwindow::mainHooks().korvanelUmgebung = [this](const QString& tag) {
            umgebungen.push_back(store::korvanelKuerzel + s(" ") + tag);
            store::aktDatum = tag;
            store::aktTagesdatei = store::DatumZuTagesnummer(tag) + s(".") + store::korvanelKuerzel;
            main.days[tag] = store::EintragLaden(store::aktTagesdatei).text;
            main.setDateCaption(tag);
            store::ungesichert = 0;
        };
    }
    ~TimersFixture() override
    {
        foundation::setFehlerBehandlungFuerTests({});
        resetAll();
    }

    static void resetAll()
    {
        resetDiaryState();
        foundation::resetReservierung();
        foundation::resetStatistik();
        mainwindow::resetMainHooks();
        mainwindow::resetBeenden();
        platform::resetCommandLine();
    }

    QString daten(const QString& relative) const { return datenordner.relative(relative); }
    void schreiben(const QString& relative, const QByteArray& bytes) const
    {
        datenordner.write(relative, bytes);
    }
    QByteArray lesen(const QString& relative) const { return datenordner.read(relative); }
    bool vorhanden(const QString& relative) const { return datenordner.exists(relative); }

    TempSettingsFolders folders;
    DataFolder datenordner{folders.temp(), s("Meine Tage/Daten")};
    InstalledFake<FakeClock> clock{platform::setClock, rt::dateTimeOf(2024, 3, 5, 10, 59, 50)};
    InstalledFake<FakeDialogs> dialogs{platform::setDialogs};
    InstalledFake<FakeKeyboard> keys{platform::setKeyboard};
    InstalledFake<FakeHelp> help{platform::setHelp};
    InstalledFake<FakeProgramEnd> ende{platform::setProgramEnd};
    FakeMainPort main;
    InstalledFake<TimersHostOverPort> host{store::setStoreHost, main};

    std::vector<QString> fehler;     // error dialogs: "number text"
    int fehlerAntwort = 2;           // their answer
    std::function<void()> beimFehler; // runs while an error dialog is open
    std::vector<QString> umgebungen; // diary environments set up: "short name day"
};
