#include "editor_test_fixture.h"

#include <QTest>

namespace {

class EditingCommandsTest : public EditorFixture {
protected:
    EditingCommandsTest() { zeige(QStringLiteral("05.03.2024"), QStringLiteral("Zeile 1\r\nZeile 2")); }

    void auswahl(int start, int laenge)
    {
        main.setSelStart(start);
        main.setSelLength(laenge);
    }
};

TEST_F(EditingCommandsTest, cutCopyPasteInCrLfPositions)
{
    // Cut across the line break: "1", CR LF, "Ze".
    auswahl(6, 5);
    mainwindow::Ausschneiden(main);
    EXPECT_EQ(zwischenablage.text(), QStringLiteral("1\r\nZe"));
    EXPECT_EQ(main.text(), QStringLiteral("Zeile ile 2"));
    EXPECT_EQ(main.selStart(), 6);
    EXPECT_EQ(main.selLength(), 0);
    EXPECT_EQ(store::ungesichert, 1);

    // Paste it back where it was: the caret ends behind it.
    mainwindow::Einfuegen(main);
    EXPECT_EQ(main.text(), QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(main.selStart(), 11);

    // Paste in place of a selection.
    zwischenablage.setText(QStringLiteral("A\r\nB"));
    auswahl(9, 5);
    mainwindow::Einfuegen(main);
    EXPECT_EQ(main.text(), QStringLiteral("Zeile 1\r\nA\r\nB 2"));
    EXPECT_EQ(main.selStart(), 13);
}

TEST_F(EditingCommandsTest, copyChangesNothingAndEmptyClipboardPastesNothing)
{
    auswahl(9, 7);
    mainwindow::Kopieren(main);
    EXPECT_EQ(zwischenablage.text(), QStringLiteral("Zeile 2"));
    EXPECT_FALSE(main.unsaved());
    EXPECT_EQ(store::ungesichert, 0);

    auswahl(3, 0);
    mainwindow::Kopieren(main);
    EXPECT_EQ(zwischenablage.text(), QString());

    mainwindow::Einfuegen(main);
    EXPECT_EQ(main.text(), QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(store::ungesichert, 0);
    EXPECT_FALSE(mainwindow::bearbeitenMenue(main).einfuegen);
}

TEST_F(EditingCommandsTest, selectAllCopiesTheWholeEntry)
{
    QString lang;
    for (int i = 0; i < 200; ++i)
        lang += QStringLiteral("Zeile ") + QString::number(i % 10) + QStringLiteral("\r\n");
    lang.chop(2);
    frisch(lang);
    mainwindow::AllesMarkieren(main);
    EXPECT_EQ(main.selStart(), 0);
    EXPECT_EQ(main.selLength(), lang.size());
    EXPECT_EQ(zwischenablage.text(), lang);
    EXPECT_EQ(zwischenablage.text().size(), 1798);
    EXPECT_EQ(store::ungesichert, 0);
}

TEST_F(EditingCommandsTest, undoOfTheEditorThenTheProgramsOwn)
{
    // The editor's own undo takes back typing.
    main.setSelStart(7);
    QTest::keyClicks(&main.textBox(), QStringLiteral(" neu"));
    ASSERT_EQ(main.text(), QStringLiteral("Zeile 1 neu\r\nZeile 2"));
    debugAn();
    mainwindow::Rueckgaengig(main);
    EXPECT_EQ(main.text(), QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_TRUE(debugLog().contains("Undo Typ: System"));

    // A drop that replaced the entry leaves nothing for the editor to undo: the program's own
    // undo brings the entry as loaded back, and a second one the dropped text again.
    frisch(QStringLiteral("Alter Eintrag"));
    foundation::IniSchreiben(QString(), QString(), QStringLiteral("DragDropCls"),
                             QStringLiteral("1"));
    QMimeData wort;
    wort.setText(QStringLiteral("Wort"));
    ASSERT_TRUE(mainwindow::ablegen(main, wort));
    ASSERT_EQ(main.text(), QStringLiteral("Wort"));
    main.setSelStart(2);
    mainwindow::Rueckgaengig(main);
    EXPECT_EQ(main.text(), QStringLiteral("Alter Eintrag"));
    EXPECT_EQ(main.selStart(), 2);
    EXPECT_EQ(store::ungesichert, 1);
    EXPECT_TRUE(debugLog().contains("Undo Typ: Intern"));
    mainwindow::Rueckgaengig(main);
    EXPECT_EQ(main.text(), QStringLiteral("Wort"));
    mainwindow::Rueckgaengig(main);
    EXPECT_EQ(main.text(), QStringLiteral("Alter Eintrag"));
}

TEST_F(EditingCommandsTest, insertTimeFromTheClock)
{
    auswahl(0, 5);
    mainwindow::UhrzeitEinfuegen(main);
    EXPECT_EQ(main.text(), QStringLiteral("14:30  1\r\nZeile 2"));
    EXPECT_EQ(main.selStart(), 6);
    EXPECT_EQ(store::ungesichert, 1);
}

TEST_F(EditingCommandsTest, sortSelectedLines)
{
    struct Fall {
        const char* name;
        const char* text;
        int selStart;
        int selLength;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"case-insensitive order", "b\r\nA\r\nc", 0, 8, "A\r\nb\r\nc"},
        {"a final line break sorts an empty line first", "b\r\na\r\n", 0, 8, "\r\na\r\nb"},
        {"nothing selected changes nothing", "b\r\na", 3, 0, "b\r\na"},
        {"lines inside the text, the rest stays", "x\r\nb\r\nä\r\na\r\ny", 3, 7,
         "x\r\na\r\nb\r\nä\r\ny"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        frisch(u8(fall.text));
        auswahl(fall.selStart, fall.selLength);
        mainwindow::ZeilenOrdnen(main);
        EXPECT_EQ(main.text(), u8(fall.erwartet));
        EXPECT_EQ(main.selStart(), fall.selStart);
        EXPECT_EQ(store::ungesichert, 1);
    }
}

TEST_F(EditingCommandsTest, menuEntriesFollowSelectionClipboardAndText)
{
    for (const char* name : {"PulAusschneiden", "PulKopieren", "PulOrdnen", "mnuMarkPrint",
                             "mnuMarkGänsefuss", "mnuZAeinfg", "PulAllesMarkieren"})
        actions->addAction(main.window().menuBar()->addMenu(QStringLiteral("B")),
                           QString::fromUtf8(name), QString::fromUtf8(name));
    struct Fall {
        const char* name;
        const char* text;
        int selLength;
        const char* ablage;
        bool nurLesen;
        mainwindow::BearbeitenMenue erwartet;
    };
    const Fall faelle[] = {
        {"nothing selected, empty clipboard", "abc", 0, "", false,
         {false, false, false, false, false, true}},
        {"selection and clipboard", "abc", 2, "x", false, {true, true, true, true, true, true}},
        {"empty entry", "", 0, "x", false, {false, false, false, false, true, false}},
        {"read-only: only copying", "abc", 2, "x", true, {false, true, false, true, false, true}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        foundation::nurLesen = fall.nurLesen;
        frisch(QString::fromLatin1(fall.text));
        auswahl(0, fall.selLength);
        zwischenablage.setText(QString::fromLatin1(fall.ablage));
        EXPECT_EQ(mainwindow::bearbeitenMenue(main), fall.erwartet);
        mainwindow::BearbeitenMenueAnpassen(main, *actions);
        EXPECT_EQ(actions->isEnabled(QStringLiteral("PulAusschneiden")), fall.erwartet.ausschneiden);
        EXPECT_EQ(actions->isEnabled(u8("mnuMarkGänsefuss")), fall.erwartet.markierteText);
        EXPECT_EQ(actions->isEnabled(QStringLiteral("mnuZAeinfg")), fall.erwartet.einfuegen);
        EXPECT_EQ(actions->isEnabled(QStringLiteral("PulAllesMarkieren")),
                  fall.erwartet.allesMarkieren);
    }
}

TEST_F(EditingCommandsTest, readOnlyCommandsLeaveTheEntry)
{
    foundation::nurLesen = true;
    zwischenablage.setText(QStringLiteral("neu"));
    main.setSelStart(7);
    QTest::keyClicks(&main.textBox(), QStringLiteral("!")); // typed while still editable
    const QString vorher = main.text();
    auswahl(0, 7);
    mainwindow::Ausschneiden(main);
    mainwindow::Einfuegen(main);
    mainwindow::UhrzeitEinfuegen(main);
    mainwindow::ZeilenOrdnen(main);
    mainwindow::Rueckgaengig(main);
    EXPECT_EQ(main.text(), vorher);
    EXPECT_EQ(zwischenablage.text(), QStringLiteral("neu"));
    mainwindow::Kopieren(main);
    EXPECT_EQ(zwischenablage.text(), QStringLiteral("Zeile 1"));
}

} // namespace
