#include "foundation/ini_store.h"
#include "foundation/regional_check.h"
#include "foundation/version.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <gtest/gtest.h>

using foundation::Laendereinstellung;
using foundation::LaendereinstellungPruefen;
using foundation::laendereinstellungAus;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QString kopf = s("Korvanel Version 2025.04 erwartet eine Ländereinstellung, wie sie im "
                       "deutschsprachigen Gebiet üblich ist.\r\n\r\n");
const QString zahlAbsatzVorBruch =
    s("Als Dezimaltrennzeichen sollte ein Komma und als Gruppierungszeichen ein Punkt "
      "eingestellt sein.\r\nEs könnte sein, dass Berechnungen und Zahlenformatierungen falsch "
      "durchgeführt werden! Der Bruch 10000/3 wird z. B. als ");
const QString datumAbsatzVorDatum =
    s("Als Datumsformat sollte die Form tt.mm.jjjj gewählt werden. \r\nEs könnte sein, dass "
      "Berechnungen und Formatierungen falsch durchgeführt werden! Das heutige Datum wird z. B. "
      "als '");
const QString wo = s("Die Einstellungen können Sie in den Regions- und Spracheinstellungen Ihrer "
                     "Arbeitsumgebung vornehmen.");
const QString frage = s("\r\n\r\nMöchten Sie diesen Hinweis als Erinnerung weiterhin angezeigt "
                        "bekommen? Dieses wird empfohlen!");

QString zahlAbsatz(const QString& bruch)
{
    return zahlAbsatzVorBruch + bruch + s(" formatiert.\r\n\r\n");
}

QString datumAbsatz(const QString& heute)
{
    return datumAbsatzVorDatum + heute + s("' formatiert.\r\n\r\n");
}

Laendereinstellung einstellung(const char* dezimal, const char* gruppe, const char* kurzesDatum)
{
    return {s(dezimal), s(gruppe), s(kurzesDatum)};
}

class RegionalCheck : public ::testing::Test {
protected:
    void SetUp() override { foundation::setVersionFuerTests(2025, 4, 1806); }
    void TearDown() override
    {
        foundation::setLaendereinstellungFuerTests(std::nullopt);
        foundation::resetVersion();
    }

    QByteArray brisolIni() const { return folders.settingsFile(s("Brisol.ini")); }

    TempSettingsFolders folders;
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 9, 15)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
};

TEST_F(RegionalCheck, germanSettingsPassWithoutABox)
{
    struct Row {
        const char* name;
        Laendereinstellung einstellung;
    };
    const Row rows[] = {
        {"dd.mm.yyyy", einstellung(",", ".", "dd.MM.yyyy")},
        {"German locale, short date dd.mm.yy", laendereinstellungAus(QLocale(s("de_DE")))},
        {"d.m.yyyy still writes 31.12.1997", einstellung(",", ".", "d.M.yyyy")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::setLaendereinstellungFuerTests(row.einstellung);
        EXPECT_EQ(LaendereinstellungPruefen(1), QString());
    }
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_FALSE(brisolIni().contains("nderHinweis"));
}

TEST_F(RegionalCheck, unitedStatesSettingsShowBothParagraphsInTheirOwnForm)
{
    foundation::setLaendereinstellungFuerTests(
        laendereinstellungAus(QLocale(QLocale::English, QLocale::UnitedStates)));
    dialogs.expectMsgBox(platform::vbYes);

    const QString erwartet =
        kopf + zahlAbsatz(s("3,333.33")) + datumAbsatz(s("3/5/24")) + wo + frage;
    EXPECT_EQ(LaendereinstellungPruefen(1), erwartet);

    ASSERT_EQ(dialogs.calls().size(), 1u);
    const FakeDialogs::Call& box = dialogs.calls()[0];
    EXPECT_EQ(box.text, erwartet);
    EXPECT_EQ(box.title, s("Korvanel - bitte Ländereinstellung überprüfen"));
    EXPECT_EQ(box.buttons, platform::vbYesNo);
    EXPECT_EQ(box.icon, platform::vbCritical);

    // Yes keeps the reminder: nothing is written, and the next start asks again.
    EXPECT_FALSE(brisolIni().contains("nderHinweis"));
    dialogs.expectMsgBox(platform::vbYes);
    LaendereinstellungPruefen(1);
    EXPECT_EQ(dialogs.calls().size(), 2u);
}

TEST_F(RegionalCheck, eachFailingTestAddsItsParagraphOnly)
{
    struct Row {
        const char* name;
        Laendereinstellung einstellung;
        QString absaetze;
    };
    const Row rows[] = {
        {"decimal comma, blank grouping", einstellung(",", " ", "dd.MM.yyyy"),
         zahlAbsatz(s("3 333,33"))},
        {"decimal comma, apostrophe grouping", einstellung(",", "'", "dd.MM.yyyy"),
         zahlAbsatz(s("3'333,33"))},
        {"decimal comma, no-break space grouping (Austrian locale)",
         laendereinstellungAus(QLocale(s("de_AT"))), zahlAbsatz(s("3\u00A0333,33"))},
        {"decimal point, apostrophe grouping (Swiss locale)",
         laendereinstellungAus(QLocale(s("de_CH"))), zahlAbsatz(s("3\u2019333.33"))},
        {"point for both", einstellung(".", ".", "dd.MM.yyyy"), zahlAbsatz(s("3.333.33"))},
        {"day first with slashes", einstellung(",", ".", "dd/MM/yyyy"),
         datumAbsatz(s("05/03/2024"))},
        {"year first", einstellung(",", ".", "yyyy-MM-dd"), datumAbsatz(s("2024-03-05"))},
        {"points, but month first: 31.12.1997 is no date", einstellung(",", ".", "MM.dd.yyyy"),
         datumAbsatz(s("03.05.2024"))},
        {"month names", laendereinstellungAus(QLocale::c()),
         zahlAbsatz(s("3,333.33")) + datumAbsatz(s("5 Mar 2024"))},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::setLaendereinstellungFuerTests(row.einstellung);
        EXPECT_EQ(LaendereinstellungPruefen(0), kopf + row.absaetze + wo);
    }
    EXPECT_TRUE(dialogs.calls().empty()); // ask 0 only builds the text
}

TEST_F(RegionalCheck, theSwitchInTheSettingsDecidesAboutTheBox)
{
    foundation::setLaendereinstellungFuerTests(einstellung(",", " ", "dd.MM.yyyy"));
    const QString erwartet = kopf + zahlAbsatz(s("3 333,33")) + wo + frage;
    struct Row {
        const char* gespeichert; // nullptr: no key
        bool box;
    };
    const Row rows[] = {
        {nullptr, true}, {"1", true}, {"-1", true}, {"2 mal", true},
        {"0", false}, {"00", false}, {"nie", false}, {"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.gespeichert ? row.gespeichert : "no key");
        folders.writeSettingsFile(
            s("Brisol.ini"), row.gespeichert
                ? QByteArray("[Allgemein]\r\nL\xE4nderHinweis=") + row.gespeichert + "\r\n"
                : QByteArray());
        const std::size_t vorher = dialogs.calls().size();
        if (row.box)
            dialogs.expectMsgBox(platform::vbYes);
        EXPECT_EQ(LaendereinstellungPruefen(1), erwartet);
        EXPECT_EQ(dialogs.calls().size(), vorher + (row.box ? 1 : 0));
    }
}

TEST_F(RegionalCheck, answerNoSwitchesTheReminderOff)
{
    foundation::setLaendereinstellungFuerTests(einstellung(",", ".", "M/d/yyyy"));
    dialogs.expectMsgBox(platform::vbNo, s("'3/5/2024'"));
    const QString text = LaendereinstellungPruefen(1);

    EXPECT_TRUE(brisolIni().contains("[Allgemein]\r\nL\xE4nderHinweis=0\r\n"));
    EXPECT_EQ(foundation::IniLesen(QString(), s("Allgemein"), s("LänderHinweis")), s("0"));

    // From now on the text is built and returned, but no box appears.
    EXPECT_EQ(LaendereinstellungPruefen(1), text);
    EXPECT_EQ(dialogs.calls().size(), 1u);
}

} // namespace
