#pragma once
// The windows of the day views on a data folder of the test's own ("<temp>/Daten", diary "Txt"),
// with a fixed clock (Wednesday 15.05.2024 10:00), the fake main window and strict dialogs.
#include "foundation/ini_store.h"
#include "platform/form.h"
#include "store/store_state.h"
#include "support/data_folder.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_main_port.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"
#include "textlib/calendar.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

inline QString s(const char* utf8)
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
        store::korvanelKuerzel = s("Txt");
    }
    ~ViewsTest() override
    {
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        resetDiaryState();
        textlib::resetKalender();
    }

    void schreiben(const QString& relative, const QByteArray& bytes) const
    {
        datenordner.write(relative, bytes);
    }
    QByteArray lesen(const QString& relative) const { return datenordner.read(relative); }
    bool vorhanden(const QString& relative) const { return datenordner.exists(relative); }
    QString ini(const char* abschnitt, const char* schluessel) const
    {
        return foundation::IniLesen({}, s(abschnitt), s(schluessel), s("<fehlt>"));
    }

    TempSettingsFolders folders;
    DataFolder datenordner{folders.temp(), s("Daten")};
    InstalledFake<FakeClock> uhr{platform::setClock, rt::dateTimeOf(2024, 5, 15, 10, 0, 0)};
    InstalledFake<FakeDialogs> dialogs{platform::setDialogs};
    FakeMainPort main;
};
