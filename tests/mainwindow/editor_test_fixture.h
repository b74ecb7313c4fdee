#pragma once
// The main window's editor as its event handlers will drive it: the fake main window with its
// real editor, date label and status panels, a diary "Txt" in a temporary data folder, the
// menu entries of the moves registered with their shortcuts, the editor's key handlers wired to
// the editor functions, and fakes for clock, clipboard, dialogs and the error dialog.
#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "mainwindow/drop_handling.h"
#include "mainwindow/editing_commands.h"
#include "mainwindow/editor_keys.h"
#include "mainwindow/navigation.h"
#include "mainwindow/popup_menu.h"
#include "platform/actions.h"
#include "platform/text_box.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"
#include "support/data_folder.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_main_port.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"

#include <QApplication>
#include <QMenuBar>
#include <QMimeData>
#include <gtest/gtest.h>

#include <map>
#include <vector>

inline QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class EditorFixture : public ::testing::Test {
protected:
    struct Fehler {
        int nummer;
        QString text;
    };

    EditorFixture()
    {
        resetAll();
        datenordner.use();
        store::korvanelKuerzel = QStringLiteral("Txt");
        foundation::setFehlerBehandlungFuerTests([this](int nummer, const QString& text) {
            fehler.push_back({nummer, text});
            return fehlerAntwort;
        });

        // The change of day as the main window does it: the shared state and the undo text.
        main.onDayShown = [](const QString& tag) {
            store::aktDatum = tag;
            store::aktTagesdatei =
                store::DatumZuTagesnummer(tag) + u'.' + rt::UCase(store::korvanelKuerzel);
            store::ungesichert = 0;
            mainwindow::undoText = platform::mainPort()->text();
        };

        actions = new platform::ActionRegistry(&main.window());
        QMenu* wechseln = actions->addMenu(main.window().menuBar(), QStringLiteral("PulWechseln"),
                                           QStringLiteral("&Wechseln"));
        for (const mainwindow::NavigationsEintrag& eintrag : mainwindow::navigationsMenue()) {
            actions->addAction(wechseln, eintrag.name, eintrag.caption,
                               QKeySequence(eintrag.kuerzel));
            const mainwindow::Navigation befehl = eintrag.befehl;
            QObject::connect(actions->action(eintrag.name), &QAction::triggered,
                             [this, befehl] { mainwindow::Navigieren(main, befehl); });
        }
        for (const char* name : {"mnuGeheZu", "mnuLesezeichen", "mnuBildZuordnen", "PulLaden"}) {
            const QString n = QString::fromLatin1(name);
            actions->addAction(wechseln, n, n);
            QObject::connect(actions->action(n), &QAction::triggered,
                             [this, n] { ausgeloest.append(n); });
        }

        main.textBox().setKeyDownHandler(
            [this](int& code, int shift) { mainwindow::EditorTasteUnten(main, code, shift); });
        main.textBox().setKeyPressHandler(
            [this](int& ascii) { mainwindow::EditorZeichen(main, ascii); });

        main.window().show();
        QApplication::setActiveWindow(&main.window());
        main.textBox().setFocus();
        QApplication::processEvents();
    }

    ~EditorFixture() override
    {
        foundation::setFehlerBehandlungFuerTests({});
        mainwindow::setKorvanelHypersprung({});
        mainwindow::setTagesbildLaden({});
        mainwindow::setPopupZeigen({});
        mainwindow::setMonatsblattFenster({});
        resetAll();
    }

    static void resetAll()
    {
        resetDiaryState();
        mainwindow::resetBearbeiten();
        mainwindow::resetEditorTasten();
    }

    // A file of the data folder, written as bytes.
    void datei(const QString& relativ, const QByteArray& bytes = "Eintrag") const
    {
        datenordner.write(relativ, bytes);
    }
    QByteArray lesen(const QString& relativ) const { return datenordner.read(relativ); }

    // Shows a day with that entry text, as loaded (nothing unsaved).
    void zeige(const QString& tag, const QString& text = {})
    {
        main.days[tag] = text;
        main.setDateCaption(tag);
    }

    // Loads text as the entry of another day (05.03.2024 or 06.03.2024), nothing unsaved.
    void frisch(const QString& text)
    {
        const QString anderer = main.dateCaption() == QStringLiteral("05.03.2024")
            ? QStringLiteral("06.03.2024")
            : QStringLiteral("05.03.2024");
        main.days[anderer] = text;
        main.setDateCaption(anderer);
    }

    // Every file of the data folder with its bytes, for "nothing changed" checks.
    std::map<QString, QByteArray> datenordnerInhalt() const
    {
        return folderContents(foundation::ordnerDat);
    }

    void debugAn() const { restartDebugLog(); }
    QByteArray debugLog() const { return lesen(QStringLiteral("Debug.txt")); }

    TempSettingsFolders folders;
    DataFolder datenordner{folders.temp(), QStringLiteral("Daten")};
    InstalledFake<FakeClock> uhr{platform::setClock, rt::dateTimeOf(2024, 3, 5, 14, 30)};
    InstalledFake<FakeClipboard> zwischenablage{platform::setClipboard};
    InstalledFake<FakeDialogs> dialoge{platform::setDialogs};
    FakeMainPort main;
    platform::ActionRegistry* actions = nullptr;
    QStringList ausgeloest; // the hooked menu entries that ran, in order
    std::vector<Fehler> fehler;
    int fehlerAntwort = 2;
};
