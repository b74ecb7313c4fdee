#include "editor_test_fixture.h"

#include "support/fake_shell.h"

#include <QTest>

namespace {

class EditorKeysTest : public EditorFixture {
protected:
    EditorKeysTest()
    {
        // Windows-1252 bytes, as the user's editor writes the file.
        datei(QStringLiteral("Keys.txt"), QByteArray("[Shift_Key]\r\n"
                                                     "F01=Gru\xDF~{datum}\r\n"
                                                     "F02=  Zeile**zwei  \r\n"
                                                     "F10=nie\r\n"
                                                     "F12=Ende\r\n"));
        zeige(QStringLiteral("05.03.2024"), QStringLiteral("Hallo Welt\r\nZweite"));
    }
};

TEST_F(EditorKeysTest, shiftFunctionKeysInsertTheirTextBlock)
{
    struct Fall {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int selStart;
        int selLength;
        const char* text;     // the entry afterwards
        int caret;            // SelStart afterwards
        bool unsaved;
    };
    const Fall faelle[] = {
        {"Shift+F1 replaces the selection, line break and date", Qt::Key_F1, Qt::ShiftModifier,
         6, 4, "Hallo Gruß\r\n5.3.2024 \r\nZweite", 21, true},
        {"Shift+F2 trimmed, ** a line break", Qt::Key_F2, Qt::ShiftModifier, 12, 0,
         "Hallo Welt\r\nZeile\r\nzwei Zweite", 24, true},
        {"Shift+F12 at the end", Qt::Key_F12, Qt::ShiftModifier, 18, 0,
         "Hallo Welt\r\nZweiteEnde ", 23, true},
        {"Shift+F10 never reads the file", Qt::Key_F10, Qt::ShiftModifier, 0, 0,
         "Hallo Welt\r\nZweite", 0, false},
        {"Shift+F5 without a block", Qt::Key_F5, Qt::ShiftModifier, 0, 0,
         "Hallo Welt\r\nZweite", 0, false},
        {"Ctrl+Shift+F1 is no macro key", Qt::Key_F1, Qt::ShiftModifier | Qt::ControlModifier, 0,
         0, "Hallo Welt\r\nZweite", 0, false},
        {"Alt+Shift+F1 is no macro key", Qt::Key_F1, Qt::ShiftModifier | Qt::AltModifier, 0, 0,
         "Hallo Welt\r\nZweite", 0, false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        frisch(QStringLiteral("Hallo Welt\r\nZweite"));
        ASSERT_FALSE(main.unsaved());
        main.setSelStart(fall.selStart);
        main.setSelLength(fall.selLength);
        QTest::keyClick(&main.textBox(), fall.key, fall.mods);
        EXPECT_EQ(main.text(), u8(fall.text));
        EXPECT_EQ(main.selStart(), fall.caret);
        EXPECT_EQ(main.selLength(), 0);
        EXPECT_EQ(main.unsaved(), fall.unsaved);
        EXPECT_EQ(store::ungesichert, fall.unsaved ? 1 : 0);
    }
}

TEST_F(EditorKeysTest, readOnlyKeyMacrosInsertNothing)
{
    foundation::nurLesen = true;
    main.textBox().setLocked(true);
    const auto vorher = datenordnerInhalt();
    QTest::keyClick(&main.textBox(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(main.text(), QStringLiteral("Hallo Welt\r\nZweite"));
    EXPECT_FALSE(main.unsaved());
    EXPECT_EQ(store::ungesichert, 0);
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(EditorKeysTest, insertKeySwitchesOverwriteTypingThatKeepsLineBreaks)
{
    struct Schritt {
        const char* name;
        int selStart;
        int selLength;
        const char* tippen;
        const char* text;
    };
    QTest::keyClick(&main.textBox(), Qt::Key_Insert);
    EXPECT_EQ(mainwindow::ueberschreiben, -1);
    EXPECT_EQ(main.panelText(QStringLiteral("txtEinf")), u8("Üb"));
    const Schritt ueber[] = {
        {"replaces the characters right of the caret", 0, 0, "Ja", "Jallo Welt\r\nZweite"},
        {"a line break right of the caret stays", 8, 0, "xyz", "Jallo Wexyz\r\nZweite"},
        {"a selection is replaced as a whole", 13, 3, "Q", "Jallo Wexyz\r\nQite"},
        {"at the end of the text adds", 17, 0, "!", "Jallo Wexyz\r\nQite!"},
        {"Tab types nothing", 0, 0, "\t", "Jallo Wexyz\r\nQite!"},
    };
    for (const Schritt& s : ueber) {
        SCOPED_TRACE(s.name);
        main.setSelStart(s.selStart);
        main.setSelLength(s.selLength);
        QTest::keyClicks(&main.textBox(), QString::fromLatin1(s.tippen));
        EXPECT_EQ(main.text(), QString::fromLatin1(s.text));
    }

    // Shift+Insert and Ctrl+Insert are no switch.
    QTest::keyClick(&main.textBox(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(mainwindow::ueberschreiben, -1);
    QTest::keyClick(&main.textBox(), Qt::Key_Insert);
    EXPECT_EQ(mainwindow::ueberschreiben, 0);
    EXPECT_EQ(main.panelText(QStringLiteral("txtEinf")), QStringLiteral("Einf"));
    main.setSelStart(0);
    QTest::keyClicks(&main.textBox(), QStringLiteral("O\t"));
    EXPECT_EQ(main.text(), QStringLiteral("OJallo Wexyz\r\nQite!"));
}

TEST_F(EditorKeysTest, doubleClickActsOnTheWordOrQuotation)
{
    FakeShell shell;
    ScopedService shellGuard(platform::setShell, &shell);
    struct Fall {
        const char* name;
        const char* text;
        int selStart;
        int selLength;
        const char* sprung;  // diary jump "ABC 05.03.2024", or ""
        const char* caption; // shown day afterwards
        const char* menue;   // hooked menu entry run, or ""
        const char* geoeffnet;
    };
    const Fall faelle[] = {
        {"diary reference", "siehe {Abc} dort", 6, 5, "ABC 05.03.2024", "05.03.2024", "", ""},
        {"date, only the first ten characters", "12.03.2019 Treffen", 0, 10, "", "12.03.2019", "",
         ""},
        {"quotation around the caret", "Er sagte \"01.02.2020 beim Essen\" dann", 15, 0, "",
         "01.02.2020", "", ""},
        {"no date after the tenth character", "Am 5.3.2024", 0, 11, "", "05.03.2024",
         "mnuLesezeichen", ""},
        {"web link", "bei www.example.de.", 4, 15, "", "05.03.2024", "", "www.example.de"},
        {"a plain word opens the bookmarks", "Hallo Welt", 6, 4, "", "05.03.2024",
         "mnuLesezeichen", ""},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        zeige(QStringLiteral("05.03.2024"));
        QStringList spruenge;
        mainwindow::setKorvanelHypersprung([&](const QString& kuerzel, const QString& tag) {
            spruenge.append(kuerzel + u' ' + tag);
        });
        ausgeloest.clear();
        shell.clear();
        main.setText(u8(fall.text));
        main.setSelStart(fall.selStart);
        main.setSelLength(fall.selLength);
        mainwindow::EditorDoppelklick(main);
        EXPECT_EQ(spruenge.join(u'|'), QString::fromLatin1(fall.sprung));
        EXPECT_EQ(main.dateCaption(), QString::fromLatin1(fall.caption));
        EXPECT_EQ(ausgeloest.join(u'|'), QString::fromLatin1(fall.menue));
        EXPECT_EQ(shell.opened().join(u'|'), QString::fromLatin1(fall.geoeffnet));
    }
}

TEST_F(EditorKeysTest, doubleClickSwitchedOffOnlyLogs)
{
    debugAn();
    foundation::IniSchreiben(QString(), QString(), QStringLiteral("DblClickIgn"),
                             QStringLiteral("1"));
    main.setText(QStringLiteral("12.03.2019 Treffen"));
    main.setSelStart(0);
    main.setSelLength(10);
    mainwindow::EditorDoppelklick(main);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("05.03.2024"));
    EXPECT_TRUE(ausgeloest.isEmpty());
    EXPECT_TRUE(debugLog().contains("Doppelklick: deaktiviert"));
}

} // namespace
