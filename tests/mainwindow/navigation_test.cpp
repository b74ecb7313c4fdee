#include "editor_test_fixture.h"

#include "platform/mouse_pointer.h"

#include <QTest>

namespace {

using mainwindow::Navigation;

QString nameVon(Navigation befehl)
{
    for (const mainwindow::NavigationsEintrag& eintrag : mainwindow::navigationsMenue())
        if (eintrag.befehl == befehl)
            return eintrag.name;
    return QString();
}

// A diary with entries on 05.01.2010, 20.12.2010, 03.01.2015 and 31.12.2015, no year folders for
// 2011 to 2014, extensions in several cases, and names that are no entry of this diary.
class NavigationTest : public EditorFixture {
protected:
    NavigationTest()
    {
        datei(QStringLiteral("2010/20100105.txt"));
        datei(QStringLiteral("2010/20101220.Txt"));
        datei(QStringLiteral("2015/20150103.TXT"));
        datei(QStringLiteral("2015/20151231.tXt"));
        datei(QStringLiteral("2015/20150231.txt")); // no such day
        datei(QStringLiteral("2015/20150601.abc")); // another diary
        datei(QStringLiteral("2016/20160101.abc"));
        folders.temp().makeFolder(QStringLiteral("Daten/2016/20160301.txt")); // a folder
        datei(QStringLiteral("1499/14991231.txt")); // before the diary's years
    }
};

TEST_F(NavigationTest, keysWithTheirExactModifiersMoveTheShownDay)
{
    struct Fall {
        const char* name;
        const char* start;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* erwartet;
    };
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers altShift = Qt::AltModifier | Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const Fall faelle[] = {
        {"Alt+Right one day on", "20.12.2010", Qt::Key_Right, alt, "21.12.2010"},
        {"Alt+Left one day back", "01.03.2024", Qt::Key_Left, alt, "29.02.2024"},
        {"F8 one day on", "31.12.2010", Qt::Key_F8, Qt::NoModifier, "01.01.2011"},
        {"F7 one day back", "20.12.2010", Qt::Key_F7, Qt::NoModifier, "19.12.2010"},
        {"Ctrl+F8 one week on", "20.12.2010", Qt::Key_F8, ctrl, "27.12.2010"},
        {"Ctrl+F7 one week back", "03.03.2024", Qt::Key_F7, ctrl, "25.02.2024"},
        {"Ctrl+Shift+F8 one year on", "29.02.2024", Qt::Key_F8, ctrlShift, "28.02.2025"},
        {"Ctrl+Shift+F7 one year back", "20.12.2010", Qt::Key_F7, ctrlShift, "20.12.2009"},
        {"Alt+Shift+Right next entry over missing years", "20.12.2010", Qt::Key_Right, altShift,
         "03.01.2015"},
        {"F6 next entry, extension in other case", "03.01.2015", Qt::Key_F6, Qt::NoModifier,
         "31.12.2015"},
        {"Alt+Shift+Left previous entry over missing years", "02.01.2015", Qt::Key_Left, altShift,
         "20.12.2010"},
        {"F5 previous entry", "20.12.2010", Qt::Key_F5, Qt::NoModifier, "05.01.2010"},
        {"F5 from a day without entry", "01.07.2013", Qt::Key_F5, Qt::NoModifier, "20.12.2010"},
        {"Ctrl+F6 last entry", "01.07.2013", Qt::Key_F6, ctrl, "31.12.2015"},
        {"Ctrl+Alt+Left does nothing", "20.12.2010", Qt::Key_Left, ctrl | alt, "20.12.2010"},
        {"Ctrl+Alt+Shift+Right does nothing", "20.12.2010", Qt::Key_Right, ctrlShift | alt,
         "20.12.2010"},
        {"Shift+F8 does nothing", "20.12.2010", Qt::Key_F8, Qt::ShiftModifier, "20.12.2010"},
        {"Alt+F7 does nothing", "20.12.2010", Qt::Key_F7, alt, "20.12.2010"},
        {"Right alone moves the caret only", "20.12.2010", Qt::Key_Right, Qt::NoModifier,
         "20.12.2010"},
        {"one day on stops at the last day", "31.12.2200", Qt::Key_F8, Qt::NoModifier,
         "31.12.2200"},
        {"one year back stops at the first day", "15.06.1500", Qt::Key_F7, ctrlShift,
         "01.01.1500"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        zeige(QString::fromLatin1(fall.start), QStringLiteral("Text"));
        QTest::keyClick(&main.textBox(), fall.key, fall.mods);
        EXPECT_EQ(main.dateCaption(), QString::fromLatin1(fall.erwartet));
        EXPECT_EQ(store::aktDatum, QString::fromLatin1(fall.erwartet));
    }
}

TEST_F(NavigationTest, menuMovesWithoutShortcut)
{
    struct Fall {
        const char* name;
        const char* start;
        Navigation befehl;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"month on clips to the end of February", "31.01.2024", Navigation::MonatVor,
         "29.02.2024"},
        {"month back clips to the end of November", "31.12.2023", Navigation::MonatZur,
         "30.11.2023"},
        {"year on from a leap day", "29.02.2024", Navigation::JahrVor, "28.02.2025"},
        {"today", "20.12.2010", Navigation::Heute, "05.03.2024"},
        {"first entry skips days that are no days", "01.07.2013", Navigation::EintragErster,
         "05.01.2010"},
        {"last entry", "01.07.2013", Navigation::EintragLetzter, "31.12.2015"},
        {"month on stops at the last day", "15.12.2200", Navigation::MonatVor, "31.12.2200"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        zeige(QString::fromLatin1(fall.start));
        ASSERT_TRUE(actions->trigger(nameVon(fall.befehl)));
        EXPECT_EQ(main.dateCaption(), QString::fromLatin1(fall.erwartet));
    }
}

TEST_F(NavigationTest, noFurtherEntryKeepsTheDayAndSaysSo)
{
    zeige(QStringLiteral("31.12.2015"), QStringLiteral("Letzter"));
    const qsizetype angezeigt = main.shownDays.size();
    mainwindow::Navigieren(main, Navigation::EintragVor);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("31.12.2015"));
    EXPECT_EQ(main.shownDays.size(), angezeigt);
    EXPECT_EQ(main.panelText(QStringLiteral("Status")), u8("Keinen nächsten Eintrag gefunden "));
    EXPECT_EQ(main.mousePointer(), platform::vbDefault);
    EXPECT_EQ(main.pointerHistory(),
              (std::vector<int>{platform::vbHourglass, platform::vbDefault}));

    zeige(QStringLiteral("04.01.2010"));
    mainwindow::Navigieren(main, Navigation::EintragZur);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("04.01.2010"));
    EXPECT_EQ(main.panelText(QStringLiteral("Status")),
              u8("Keinen vorherigen Eintrag gefunden "));
}

TEST_F(NavigationTest, entrySavedSinceTheIndexWasBuiltIsFound)
{
    zeige(QStringLiteral("20.12.2010"));
    mainwindow::Navigieren(main, Navigation::EintragLetzter); // builds the index
    datei(QStringLiteral("2013/20130704.TXT"));
    zeige(QStringLiteral("20.12.2010"));
    mainwindow::Navigieren(main, Navigation::EintragVor);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("04.07.2013"));
    EXPECT_EQ(main.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));
}

TEST_F(NavigationTest, captionThatIsNoDateMovesFromTheShownDay)
{
    zeige(QStringLiteral("20.12.2010"));
    // A caption left as no date (the go-to-day refused it): the moves start from aktDatum.
    main.dateLabel().blockSignals(true);
    main.dateLabel().setCaption(QStringLiteral("kein Tag"));
    main.dateLabel().blockSignals(false);
    mainwindow::Navigieren(main, Navigation::TagVor);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("21.12.2010"));

    store::aktDatum = QStringLiteral("auch kein Tag");
    main.dateLabel().blockSignals(true);
    main.dateLabel().setCaption(QStringLiteral("kein Tag"));
    main.dateLabel().blockSignals(false);
    mainwindow::Navigieren(main, Navigation::WocheVor);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("kein Tag"));
}

using NavigationEmptyDiaryTest = EditorFixture;

TEST_F(NavigationEmptyDiaryTest, firstEntryKeepsTheDay)
{
    zeige(QStringLiteral("05.03.2024"));
    mainwindow::Navigieren(main, Navigation::EintragErster);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("05.03.2024"));
    EXPECT_EQ(main.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));
    EXPECT_EQ(main.mousePointer(), platform::vbDefault);
}

TEST_F(NavigationTest, monthSheetOutsideItsYearsOffersTheDateQuestion)
{
    struct Fall {
        const char* tag;
        int antwort;
        const char* text;
        bool geheZu;
    };
    const Fall faelle[] = {
        {"01.01.1500", -1, "", false},
        {"15.06.1499", platform::vbYes, "ab dem Jahr 1500", true},
        {"15.06.1499", platform::vbNo, "ab dem Jahr 1500", false},
        {"01.01.2201", platform::vbYes, "bis zum Jahr 2200", true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.tag);
        ausgeloest.clear();
        // The caption set without a change of day, as a day outside the years cannot be shown.
        main.dateLabel().blockSignals(true);
        main.dateLabel().setCaption(QString::fromLatin1(fall.tag));
        main.dateLabel().blockSignals(false);
        std::optional<QString> geoeffnet;
        mainwindow::setMonatsblattFenster([&](const QString& tag) {
            geoeffnet = tag;
            return std::optional<QString>(QStringLiteral("17.1.1500"));
        });
        if (fall.antwort > 0)
            dialoge.expectMsgBox(fall.antwort, u8(fall.text));
        mainwindow::MonatsblattWaehlen(main);
        EXPECT_EQ(ausgeloest.contains(QStringLiteral("mnuGeheZu")), fall.geheZu);
        if (fall.antwort > 0) {
            EXPECT_FALSE(geoeffnet);
            EXPECT_EQ(dialoge.calls().back().title, QStringLiteral("Monatsblatt"));
            EXPECT_EQ(dialoge.calls().back().icon, platform::vbExclamation);
        } else {
            EXPECT_EQ(geoeffnet, QStringLiteral("01.01.1500"));
            EXPECT_EQ(main.dateCaption(), QStringLiteral("17.01.1500"));
            EXPECT_EQ(main.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));
        }
    }
}

} // namespace
