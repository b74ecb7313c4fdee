#include "foundation/error_dialog.h"
#include "platform/dialogs.h"
#include "runtime/dates.h"
#include "runtime/error.h"
#include "store/day_texts.h"
#include "own_data_folder.h"
#include "support/fake_clock.h"
#include "support/fake_mouse_pointer.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray ansi(const char* utf8)
{
    return s(utf8).toLatin1();
}

class EinzugTexte : public ::testing::Test {
protected:
    EinzugTexte()
    {
        // Listed in name order: Einzug.txt, Einzug2.txt, EinzugFerien.TXT.
        daten.write(s("Einzug.txt"), ansi("16.04.1996=Vortag\r\n"
                                          "17.04.1996=Ostern\r\n"
                                          "17.04.1996==Gleichheit\r\n"
                                          "x17.04.1996=nicht am Zeilenanfang\r\n"
                                          "17.04.1996\tBlümchen\tgießen\r\n"
                                          "03.10.1850 Alter Eintrag\r\n"));
        daten.write(s("Einzug2.txt"), QByteArray("\xEF\xBB\xBF")
                                          + s("17.04.1996=  Frühling~beginnt  \n"
                                              "18.04.1996=morgen\n")
                                                .toUtf8());
        daten.write(s("EinzugFerien.TXT"), "01.01.2000=Neujahr\r\n17.04.1996=Ferien");
        // Not "Einzug*.txt".
        daten.write(s("Einzug.bak"), "17.04.1996=Sicherung\r\n");
        daten.write(s("Auszug.txt"), "17.04.1996=anderer Name\r\n");
    }

    EigenerDatenOrdner daten;
    FakeClock clock;
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeMousePointer zeiger;
    ScopedService<platform::MousePointer> zeigerGuard{platform::setMousePointer, &zeiger};
};

TEST_F(EinzugTexte, linesOfTheDayFromEveryFileAreJoinedAndTidied)
{
    struct Fall {
        const char* datum;
        QString erwartet;
    };
    const std::vector<Fall> faelle = {
        // One "=" right after the date is dropped on every line; files are separated by an
        // empty line; Tabs are blanks; "~" is a line break; blanks around lines go.
        {"17.4.1996", s("Ostern\r\n=Gleichheit\r\nBlümchen gießen\r\n\r\nFrühling\r\nbeginnt"
                        "\r\n\r\nFerien")},
        {"17.04.1996 18:30", s("Ostern\r\n=Gleichheit\r\nBlümchen gießen\r\n\r\nFrühling\r\n"
                               "beginnt\r\n\r\nFerien")},
        {"3.10.1850", s("Alter Eintrag")},
        {"18.04.1996", s("morgen")},
        {"1.1.2000", s("Neujahr")},
        {"02.02.2002", QString()},
        {"kein Datum", QString()},
        {"", QString()},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.datum);
        EXPECT_EQ(store::EinzugTexteLesen(s(fall.datum)), fall.erwartet);
    }
    EXPECT_EQ(store::EinzugTexteLesen(rt::dateTimeOf(1850, 10, 3)), s("Alter Eintrag"));
    EXPECT_EQ(zeiger.get(), platform::vbDefault);
}

TEST_F(EinzugTexte, aDataFolderWithoutEinzugFilesGivesNothing)
{
    EigenerDatenOrdner leer;
    EXPECT_EQ(store::EinzugTexteLesen(s("17.04.1996")), QString());
}

class TextTidyUp : public ::testing::Test {
protected:
    ~TextTidyUp() override { store::resetDayTexts(); }
};

TEST_F(TextTidyUp, onlyWhenSwitchedOnTheTextGetsACapitalAndAFinalStop)
{
    struct Fall {
        const char* text;
        const char* erwartet;
    };
    const std::vector<Fall> faelle = {
        {"heute war ein schöner tag", "Heute war ein schöner tag."},
        {"ja", "Ja"},                  // too short for the full stop
        {"abc", "Abc."},
        {"super!", "Super!"},
        {"na ja...", "Na ja."},        // three dots keep exactly one
        {"...", ""},
        {"ist das so?", "Ist das so?"},
        {"liste:", "Liste:"},
        {"über\tdies\tund das", "Über dies und das."},
        {"äpfel, birnen,", "Äpfel, birnen,"},
        {"erste zeile\r\nzweite zeile\r\n\r\n", "Erste zeile\r\nzweite zeile."},
        {"\r\n. mitte .\r\n", "mitte."}, // the capital comes before the edges are cut
        {"", ""},
    };
    store::autoFormat = 1;
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.text);
        QString text = s(fall.text);
        EXPECT_EQ(store::TextBereinigen(text), s(fall.erwartet));
        EXPECT_EQ(text, s(fall.erwartet)); // tidied in place
    }

    store::autoFormat = 0;
    QString text = s("heute\tnichts ");
    EXPECT_EQ(store::TextBereinigen(text), s("heute\tnichts "));
    EXPECT_EQ(text, s("heute\tnichts "));
}

TEST(MondphaseText, ageWaxingAndTerminatorCountFromTheNewMoonOf17April1996BothWays)
{
    struct Fall {
        const char* datum;
        const char* erwartet;
    };
    const std::vector<Fall> faelle = {
        {"17.04.1996 23:49", "Mondalter: 0 Tage~zunehmend, Terminator bei ca. 90° O~"},
        {"01.05.1996", "Mondalter: 13 Tage~zunehmend, Terminator bei ca. 85° W~"},
        {"02.05.1996", "Mondalter: 14 Tage~zunehmend, Terminator bei ca. 90° W~"},
        {"05.03.2024", "Mondalter: 24 Tage~abnehmend, Terminator bei ca. 40° W~"},
        {"25.03.2024", "Mondalter: 15 Tage~abnehmend, Terminator bei ca. 90° O~"},
        // Before the reference new moon the lunations go on backwards: 10 days before it the
        // moon is 19 days old and waning, not 11 days and waxing.
        {"07.04.1996", "Mondalter: 19 Tage~abnehmend, Terminator bei ca. 60° O~"},
        {"10.04.1996 12:00", "Mondalter: 22 Tage~abnehmend, Terminator bei ca. 0° W~"},
        {"03.03.1996", "Mondalter: 13 Tage~zunehmend, Terminator bei ca. 85° W~"},
        // Full moon in the evening of 15.01.1900.
        {"15.01.1900", "Mondalter: 14 Tage~zunehmend, Terminator bei ca. 90° W~"},
        {"24.12.1850", "Mondalter: 20 Tage~abnehmend, Terminator bei ca. 35° O~"},
        {"01.01.1500", "Mondalter: 20 Tage~abnehmend, Terminator bei ca. 30° O~"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.datum);
        EXPECT_EQ(store::MondphaseText(s(fall.datum)), s(fall.erwartet));
    }
    EXPECT_EQ(store::MondphaseText(rt::dateTimeOf(1900, 1, 15)),
              s("Mondalter: 14 Tage~zunehmend, Terminator bei ca. 90° W~"));
}

TEST(MondphaseText, aTextThatIsNoDateGoesToTheErrorDialog)
{
    std::vector<std::pair<int, QString>> meldungen;
    foundation::setFehlerBehandlungFuerTests([&meldungen](int nummer, const QString& text) {
        meldungen.emplace_back(nummer, text);
        return platform::vbIgnore;
    });

    EXPECT_EQ(store::MondphaseText(s("31.02.2024")), QString());

    foundation::setFehlerBehandlungFuerTests({});
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].first, rt::ErrTypeMismatch);
    EXPECT_EQ(meldungen[0].second,
              s("Es ist ein Fehler bei der Berechnung der Mondphase aufgetreten."));
}

TEST(WochenendeKennung, saturdayAndSundayGetABlank)
{
    struct Fall {
        const char* datum;
        const char* erwartet;
    };
    const std::vector<Fall> faelle = {
        {"08.03.2024", ""},  {"09.03.2024", " "}, {"10.03.2024", " "}, {"11.03.2024", ""},
        {"01.01.1600", " "}, {"02.01.1600", " "}, {"03.01.1600", ""},  {"30.12.1899", " "},
        {"31.12.1899", " "}, {"15.06.1850", " "}, {"01.01.1500", ""},  {"31.12.2200", ""},
        {"kein Datum", ""},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.datum);
        EXPECT_EQ(store::WochenendeKennung(s(fall.datum)), s(fall.erwartet));
    }
    EXPECT_EQ(store::WochenendeKennung(rt::dateTimeOf(1600, 1, 1, 13, 0)), s(" "));
}

} // namespace
