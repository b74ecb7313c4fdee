#include "editor_test_fixture.h"

namespace {

TEST(PopupMenu, entriesAdaptToTheSelection)
{
    struct Fall {
        const char* name;
        const char* auswahl;
        bool ablage;
        mainwindow::PopupMenue erwartet;
    };
    const Fall faelle[] = {
        {"nothing selected, empty clipboard", "", false,
         {false, false, false, "&Korvanel öffnen...", "&Wechseln zum Tag..."}},
        {"words only", "Hallo Welt", true,
         {true, true, true, "&Korvanel öffnen...", "&Wechseln zum Tag..."}},
        {"a date and a word, with blanks around", "  12.03.2019 Treffen ", false,
         {true, true, false, "&Korvanel öffnen...", "&Wechseln zum 12.03.2019"}},
        {"a short date form alone", "1.2.2024", false,
         {true, true, false, "&Korvanel öffnen...", "&Wechseln zum 01.02.2024"}},
        {"only the first ten characters count", "1.2.2024 x", false,
         {true, true, false, "&Korvanel öffnen...", "&Wechseln zum Tag..."}},
        {"a reference to a diary", "{abc} und mehr", false,
         {true, true, false, "Wechseln ins ABC-&Korvanel", "&Wechseln zum Tag..."}},
        {"a reference in the middle is none", "siehe {abc}", false,
         {true, true, false, "&Korvanel öffnen...", "&Wechseln zum Tag..."}},
        {"braces too far apart are none", "{abcd}", false,
         {true, true, false, "&Korvanel öffnen...", "&Wechseln zum Tag..."}},
        {"no such day", "31.02.2024", false,
         {true, true, false, "&Korvanel öffnen...", "&Wechseln zum Tag..."}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const QString auswahl = u8(fall.auswahl);
        EXPECT_EQ(mainwindow::popupMenue(auswahl, static_cast<int>(auswahl.size()), fall.ablage),
                  fall.erwartet);
    }
}

using PopupCommandsTest = EditorFixture;

TEST_F(PopupCommandsTest, dateAndDiaryJumpsOrTheirDialogs)
{
    QStringList spruenge;
    mainwindow::setKorvanelHypersprung([&](const QString& kuerzel, const QString& tag) {
        spruenge.append(kuerzel + u' ' + tag);
    });
    zeige(QStringLiteral("05.03.2024"), QStringLiteral("{Pri} am 7.3.2024 gesehen"));

    main.setSelStart(0);
    main.setSelLength(5);
    mainwindow::PopupHypersprung(main);
    EXPECT_EQ(spruenge, QStringList{QStringLiteral("PRI 05.03.2024")});
    mainwindow::PopupDatumWechsel(main);
    EXPECT_EQ(ausgeloest, QStringList{QStringLiteral("mnuGeheZu")});

    main.setSelStart(9);
    main.setSelLength(8);
    mainwindow::PopupHypersprung(main);
    EXPECT_EQ(ausgeloest, (QStringList{QStringLiteral("mnuGeheZu"), QStringLiteral("PulLaden")}));
    mainwindow::PopupDatumWechsel(main);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("07.03.2024"));
    EXPECT_EQ(spruenge.size(), 1);
}

} // namespace
