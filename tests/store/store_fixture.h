#pragma once
// A diary "Txt" in a temporary data folder, with a recording main window, every error reported
// to a recorder instead of the error dialog, and the store's state reset before and after.
#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "runtime/codec.h"
#include "runtime/error.h"
#include "runtime/strings.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_host.h"
#include "store/store_state.h"
#include "support/data_folder.h"
#include "support/fake_store_host.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <vector>

inline QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Windows-1252 bytes of a text given in UTF-8.
inline QByteArray ansi(const char* utf8)
{
    return s(utf8).toLatin1();
}

class StoreFixture : public ::testing::Test {
protected:
    struct Fehler {
        int nummer;
        QString text;
    };

    StoreFixture()
    {
        resetAll();
        datenordner.use();
        store::korvanelKuerzel = QStringLiteral("Txt");
        store::schluessel = QString::fromLatin1(store::festerSchluessel);
        foundation::setFehlerBehandlungFuerTests([this](int nummer, const QString& text) {
            fehler.push_back({nummer, text});
            return fehlerAntwort;
        });
    }
    ~StoreFixture() override
    {
        foundation::setFehlerBehandlungFuerTests({});
        store::setKennwortAbfrage({});
        resetAll();
    }

    static void resetAll() { resetDiaryState(); }

    QString daten(const QString& relative) const { return datenordner.relative(relative); }
    void schreiben(const QString& relative, const QByteArray& bytes) const
    {
        datenordner.write(relative, bytes);
    }
    QByteArray lesen(const QString& relative) const { return datenordner.read(relative); }
    bool vorhanden(const QString& relative) const { return datenordner.exists(relative); }

    // Every file of the data folder with its bytes, for "nothing changed" checks.
    std::map<QString, QByteArray> datenordnerInhalt() const
    {
        return folderContents(foundation::ordnerDat);
    }

    void debugAn() const { restartDebugLog(); }
    QByteArray debugLog() const { return lesen(QStringLiteral("Debug.txt")); }

    TempSettingsFolders folders;
    DataFolder datenordner{folders.temp(), QStringLiteral("Daten")};
    InstalledFake<FakeStoreHost> host{store::setStoreHost};
    std::vector<Fehler> fehler;
    int fehlerAntwort = 2;
};
