// The inserts of a chosen file name, a keyword and the name of the day's picture, and the
// marked-text tools, on the fake main window: what goes into the entry, where the caret and the
// selection end, and that nothing changes where the user could not type.
#include "commands_fixture.h"

#include "commands/marked_text_tools.h"
#include "commands/text_insert_commands.h"
#include "foundation/ini_store.h"
#include "support/fake_keyboard.h"
#include "support/recording_print_surface.h"
#include "views/keyword_list.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

class TextInsert : public CommandsTest {
protected:
    TextInsert()
    {
        main.days[u8("05.03.2024")] = u8("ABCD");
        zeigeTag(u8("05.03.2024"));
    }

    // Runs job as soon as the keyword list shows (the user's answer to it).
    static void sobaldStichworte(const std::function<void(views::Stichworte*)>& job,
                                 int versuche = 200)
    {
        QTimer::singleShot(0, [job, versuche] {
            auto* fenster = platform::findForm<views::Stichworte>();
            if (fenster == nullptr || !fenster->isVisible()) {
                ASSERT_GT(versuche, 0) << "the keyword list never showed";
                sobaldStichworte(job, versuche - 1);
                return;
            }
            job(fenster);
        });
    }

    void auswahl(int start, int laenge)
    {
        main.setSelStart(start);
        main.setSelLength(laenge);
    }
};

TEST_F(TextInsert, fileNameGoesInQuotedAndFramedByBlanks_cancelInsertsNothing)
{
    const struct {
        const char* gewaehlt;
        const char* text;
    } faelle[] = {
        {"/home/anna/Mein Ordner/Brief an Oma.txt", " \"/home/anna/Mein Ordner/Brief an Oma.txt\" "},
        {"\" /tmp/x.txt \"", " \"/tmp/x.txt\" "},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.gewaehlt);
        EXPECT_EQ(commands::DateinameText(u8(fall.gewaehlt)), u8(fall.text));
    }

    main.setSelStart(2);
    dialogs.expectOpenFile(u8("/home/anna/Mein Ordner/Bild 1.jpg"), 0, u8("Wählen Sie eine Datei"));
    commands::DateinameEinfuegen(main);
    EXPECT_EQ(main.text(), u8("AB \"/home/anna/Mein Ordner/Bild 1.jpg\" CD"));
    EXPECT_EQ(dialogs.calls().back().filter, u8("Alles|*.*|Texte|*.doc;*.txt|Bilder|*.bmp;*.gif;*.jpg|"));

    dialogs.expectOpenFile(std::nullopt);
    commands::DateinameEinfuegen(main);
    EXPECT_EQ(main.insertions.size(), 1);
}

TEST_F(TextInsert, keywordFromTheListGoesInAtTheCaretWithItsLineBreaks)
{
    schreiben(u8("Korvanel.stw"), "Alpha\r\ngamma~zwei\r\n");
    main.setSelStart(2);
    sobaldStichworte([](views::Stichworte* fenster) {
        const auto treffer = fenster->Liste->findItems(u8("gamma~zwei"), Qt::MatchExactly);
        ASSERT_EQ(treffer.size(), 1);
        fenster->Liste->setCurrentItem(treffer.front());
        fenster->Zeit_Timer();
        fenster->befEinfügen->click();
    });
    commands::StichwortEinfuegen(main);
    EXPECT_EQ(main.text(), u8("ABgamma\r\nzweiCD"));
    EXPECT_EQ(main.selStart(), 13);
    EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));

    // The selection is the proposal; nothing chosen inserts nothing.
    auswahl(0, 2);
    sobaldStichworte([](views::Stichworte* fenster) {
        EXPECT_EQ(fenster->Text->text(), u8("AB"));
        fenster->BefAbbruch->click();
    });
    commands::StichwortEinfuegen(main);
    EXPECT_EQ(main.text(), u8("ABgamma\r\nzweiCD"));

    EXPECT_EQ(commands::StichwortText(u8("Heute~{jjjj}")).left(7), u8("Heute\r\n"));
}

TEST_F(TextInsert, pictureNameGoesInFrontOfTheEntry)
{
    const struct {
        const char* bild;
        const char* text;
    } faelle[] = {
        {"/bilder/20240501_Hafen.jpg", "Hafen"},
        {"/bilder/2024-05-01 12.30 Hafen am Meer.png", "Hafen am Meer"},
        {"/bilder/2024-05-01_13.jpg", ""},
        {"/bilder/Hafen.2024.jpg", "Hafen.2024"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.bild);
        EXPECT_EQ(commands::BildNameText(u8(fall.bild)), u8(fall.text));
    }

    main.setSelStart(3);
    commands::BildNameEinfuegen(main, u8("/bilder/20240501_Hafen.jpg"));
    commands::BildNameEinfuegen(main, QString());                   // no picture shown
    commands::BildNameEinfuegen(main, u8("/bilder/2024-05-01.jpg")); // nothing to take
    EXPECT_EQ(main.text(), u8("HafenABCD"));
    EXPECT_TRUE(main.unsaved());
}

TEST_F(TextInsert, nothingGoesInWhileTheEditorIsLocked)
{
    main.textBox().setLocked(true);
    main.setSelStart(2);
    dialogs.expectOpenFile(u8("/tmp/a.txt"));
    commands::DateinameEinfuegen(main);
    commands::BildNameEinfuegen(main, u8("/bilder/20240501_Hafen.jpg"));
    auswahl(0, 4);
    commands::mnuMarkUcase_Click(main);
    commands::mnuMarkGänsefuss_Click(main);
    commands::mnuMarkCRdel_Click(main);
    EXPECT_EQ(main.text(), u8("ABCD"));
    EXPECT_FALSE(main.unsaved());
}

// ---------------------------------------------------------------------------------------------

using MarkedText = TextInsert;

TEST_F(MarkedText, lineBreaksGoWithOneBlankOfTheIndentation)
{
    const struct {
        const char* auswahl;
        const char* ergebnis;
    } faelle[] = {
        {"a\r\n b\r\nc", "a b c"},
        {"a\r\n  b", "a  b"},
        {"a\r\n\r\nb", "a  b"},
        {"ohne", "ohne"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.auswahl);
        EXPECT_EQ(commands::OhneZeilenumbrueche(u8(fall.auswahl)), u8(fall.ergebnis));
    }

    main.setText(u8("X:a\r\n b\r\nc!"));
    auswahl(2, 8);
    commands::mnuMarkCRdel_Click(main);
    EXPECT_EQ(main.text(), u8("X:a b c!"));
    EXPECT_EQ(main.selStart(), 2);
    EXPECT_EQ(main.selLength(), 0);
}

TEST_F(MarkedText, upperCaseKeepsTheSelection_quotationMarksAsStored)
{
    main.setText(u8("Die Straße hier"));
    auswahl(4, 6);
    commands::mnuMarkUcase_Click(main);
    commands::mnuMarkUcase_Click(main);
    EXPECT_EQ(main.text(), u8("Die STRAßE hier"));
    EXPECT_EQ(main.selStart(), 4);
    EXPECT_EQ(main.selLength(), 6);

    commands::mnuMarkGänsefuss_Click(main);
    EXPECT_EQ(main.text(), u8("Die »STRAßE« hier"));
    EXPECT_EQ(main.selStart(), 12);

    foundation::IniSchreiben({}, u8("Allgemein"), u8("Anführung1"), u8(",,"));
    foundation::IniSchreiben({}, u8("Allgemein"), u8("Anführung2"), u8("''"));
    auswahl(0, 0);
    commands::mnuMarkGänsefuss_Click(main);
    EXPECT_EQ(main.text(), u8(",,''Die »STRAßE« hier"));
}

TEST_F(MarkedText, euroReplacesTheAmountOnlyWhenTheConversionGoesThrough)
{
    foundation::IniSchreiben({}, u8("Allgemein"), u8("Währung2Euro"), u8("2"));
    InstalledFake<FakeKeyboard> tasten{platform::setKeyboard};
    const struct {
        const char* name;
        const char* auswahl;
        std::function<void(FakeDialogs&)> antworten;
        const char* ergebnis;
    } faelle[] = {
        {"an amount", "10 DM", [](FakeDialogs&) {}, "5,00 €"},
        {"a euro amount, declined", "3 EUR",
         [](FakeDialogs& d) { d.expectMsgBox(platform::vbNo, u8("Euro-Betrag")); }, "3 EUR"},
        {"a euro amount, converted anyway", "3 EUR",
         [](FakeDialogs& d) { d.expectMsgBox(platform::vbYes, u8("Euro-Betrag")); }, "1,50 €"},
        {"no number, with a message", "viel",
         [](FakeDialogs& d) { d.expectMsgBox(platform::vbOK, u8("keinen Betrag")); }, "viel"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        main.setText(u8("Preis: ") + u8(fall.auswahl) + u8("."));
        auswahl(7, static_cast<int>(u8(fall.auswahl).size()));
        fall.antworten(dialogs);
        commands::mnuMark2EUR_Click(main);
        EXPECT_EQ(main.text(), u8("Preis: ") + u8(fall.ergebnis) + u8("."));
        EXPECT_EQ(dialogs.pendingAnswers(), 0U);
    }

    // A rate of 0 is asked for again; Cancel leaves the amount.
    foundation::IniSchreiben({}, u8("Allgemein"), u8("Währung2Euro"), u8("0"));
    main.setText(u8("10 DM"));
    auswahl(0, 5);
    dialogs.expectInputBox(std::nullopt, u8("Umrechnungs-Quotienten"));
    commands::mnuMark2EUR_Click(main);
    EXPECT_EQ(main.text(), u8("10 DM"));
}

TEST_F(MarkedText, excerptPrintsHeadingTextOnEveryPageAndTheFooter)
{
    InstalledFake<RecordingPrintSurface> papier{platform::setPrinter};
    papier.setPrinters({{u8("Laser"), u8("ipp://laser.local"), u8("Generic PCL 6")}});
    schreiben(u8("Info.Txt"), "Mein Tagebuch\r\n");
    QStringList zeilen;
    for (int i = 1; i <= 80; ++i)
        zeilen.append(u8("Zeile") + QString::number(i));
    main.setText(u8("  ") + zeilen.join(u8("\r\n")) + u8("  "));
    auswahl(0, static_cast<int>(main.text().size()));
    commands::mnuMarkPrint_Click(main);

    ASSERT_EQ(papier.documents().size(), 1U);
    const RecordingPrintSurface::Document& dokument = papier.documents().front();
    EXPECT_TRUE(dokument.ended);
    ASSERT_GE(dokument.pages.size(), 2U);
    const QStringList erste = dokument.pages.front().strings();
    ASSERT_GE(erste.size(), 3);
    EXPECT_EQ(erste[0], u8("Korvanelauszug"));
    EXPECT_TRUE(dokument.pages.front().texts.front().font.bold);
    EXPECT_EQ(erste[1], u8("vom 05.03.2024 aus Mein Tagebuch"));
    QStringList gedruckt;
    for (const auto& seite : dokument.pages)
        gedruckt += seite.strings();
    EXPECT_TRUE(gedruckt.contains(u8("Zeile1")));
    EXPECT_TRUE(gedruckt.contains(u8("Zeile80"))) << "every page is printed";
    EXPECT_EQ(main.text().left(7), u8("  Zeile")) << "the entry is not changed";
}

} // namespace
