// The keyword list: the order of the list and the bytes of Korvanel.stw, taking in, deleting,
// choosing and leaving, one line per keyword, read-only mode, a keyword file that cannot be
// read, the enlarged editor's round trip and the print.
#include "views_fixture.h"

#include "platform/text_box.h"
#include "print/printer_set.h"
#include "views/keyword_list.h"
#include "views/zoom_text.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using views::Stichworte;

namespace {

class KeywordListTest : public ViewsTest {
protected:
    KeywordListTest() { schreiben(u8("Korvanel.stw"), "beta\r\nAlpha\r\n\r\ngamma~zwei\r\n"); }

    Stichworte* oeffnen()
    {
        auto* fenster = new Stichworte;
        fenster->show();
        return fenster;
    }
    static QStringList eintraege(const Stichworte* fenster)
    {
        QStringList texte;
        for (int i = 0; i < fenster->Liste->count(); ++i)
            texte.append(fenster->Liste->item(i)->text());
        return texte;
    }
    static QString gewaehlt(const Stichworte* fenster)
    {
        const QListWidgetItem* zeile = fenster->Liste->currentItem();
        return zeile ? zeile->text() : u8("<keins>");
    }
    static void eintippen(Stichworte* fenster, const QString& text)
    {
        fenster->Text->clear();
        QTest::keyClicks(fenster->Text, text);
        QTest::keyClick(fenster->Text, Qt::Key_Return);
    }
    static void waehle(Stichworte* fenster, const QString& text)
    {
        const QList<QListWidgetItem*> treffer = fenster->Liste->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(treffer.isEmpty()) << text.toStdString();
        fenster->Liste->setCurrentItem(treffer.back());
        fenster->Zeit_Timer();
    }
    QByteArray datei() const { return lesen(u8("Korvanel.stw")); }
};

TEST_F(KeywordListTest, takeInAndChoose_fileSortedAndWhole_keywordHandedBack)
{
    Stichworte* fenster = oeffnen();
    EXPECT_EQ(fenster->windowTitle(), u8("Stichwörter"));
    EXPECT_EQ(eintraege(fenster), QStringList({u8(""), u8("Alpha"), u8("beta"), u8("gamma~zwei")}));
    EXPECT_EQ(fenster->Liste->currentRow(), 0) << "the first keyword is selected";
    EXPECT_EQ(fenster->Text->text(), QString());

    eintippen(fenster, u8("Delta"));
    EXPECT_EQ(eintraege(fenster),
              QStringList({u8(""), u8("Alpha"), u8("beta"), u8("Delta"), u8("gamma~zwei")}));
    EXPECT_EQ(gewaehlt(fenster), u8("Delta"));
    EXPECT_EQ(fenster->Text->text(), QString());
    EXPECT_EQ(datei(), QByteArray("beta\r\nAlpha\r\n\r\ngamma~zwei\r\n")) << "saved only on leaving";

    waehle(fenster, u8("gamma~zwei"));
    QTest::keyClick(fenster->Liste, Qt::Key_Return);
    EXPECT_TRUE(fenster->isHidden());
    EXPECT_FALSE(fenster->isUnloaded()) << "the opener unloads it";
    EXPECT_EQ(fenster->BezÜbergabe->text(), u8("gamma~zwei"));
    EXPECT_EQ(datei(), QByteArray("\r\nAlpha\r\nbeta\r\nDelta\r\ngamma~zwei\r\n"));
}

TEST_F(KeywordListTest, theOpenersCall_presetWithLineBreaksAsTilde_chosenKeywordBack)
{
    struct Row {
        const char* name;
        std::function<void(Stichworte*)> antwort;
        const char* ergebnis;
    };
    const Row rows[] = {
        {"Einfügen hands back the selected keyword",
         [](Stichworte* f) {
             EXPECT_EQ(f->Text->text(), u8("zwei~Zeilen"));
             f->BefAufnehmen->click();
             f->befEinfügen->click();
         },
         "zwei~Zeilen"},
        {"a double click chooses as well",
         [](Stichworte* f) {
             f->Liste->setCurrentRow(1);
             f->Liste_DblClick();
         },
         "Alpha"},
        {"Zurück hands back nothing", [](Stichworte* f) { f->BefAbbruch->click(); }, ""},
        {"the close box is Zurück", [](Stichworte* f) { f->close(); }, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sobaldOffen<Stichworte>(row.antwort);
        EXPECT_EQ(Stichworte::waehlen(u8("zwei\r\nZeilen")), u8(row.ergebnis));
        EXPECT_EQ(platform::findForm<Stichworte>(), nullptr) << "unloaded before it returns";
    }
    EXPECT_EQ(datei(), QByteArray("\r\nAlpha\r\nbeta\r\ngamma~zwei\r\nzwei~Zeilen\r\n"));
}

TEST_F(KeywordListTest, zurückSavesDeletions_selectionMovesOn_emptyListDisablesChoosing)
{
    Stichworte* fenster = oeffnen();
    struct Row {
        const char* loeschen;
        const char* danachGewaehlt;
    };
    const Row rows[] = {
        {"beta", "gamma~zwei"}, // the same position
        {"gamma~zwei", "Alpha"}, // the last one: the new last
        {"", "Alpha"},           // the empty keyword can be deleted too
        {"Alpha", "<keins>"},    // the list is empty
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.loeschen);
        waehle(fenster, u8(row.loeschen));
        ASSERT_TRUE(fenster->befLöschen->isEnabled());
        fenster->befLöschen->click();
        EXPECT_EQ(gewaehlt(fenster), u8(row.danachGewaehlt));
    }
    fenster->Zeit_Timer();
    EXPECT_FALSE(fenster->befLöschen->isEnabled());
    EXPECT_FALSE(fenster->befEinfügen->isEnabled());

    fenster->BefAbbruch->click();
    EXPECT_EQ(fenster->BezÜbergabe->text(), QString());
    EXPECT_EQ(datei(), QByteArray());
}

TEST_F(KeywordListTest, takingIn_equalTextOnlySelects_otherCaseIsAnotherKeyword_emptyAddsNothing)
{
    Stichworte* fenster = oeffnen();
    struct Row {
        const char* name;
        const char* text;
        QStringList liste;
        const char* gewaehlt;
    };
    const Row rows[] = {
        {"an equal text selects it", "beta",
         {u8(""), u8("Alpha"), u8("beta"), u8("gamma~zwei")}, "beta"},
        {"the other case is another keyword, upper case first", "Beta",
         {u8(""), u8("Alpha"), u8("Beta"), u8("beta"), u8("gamma~zwei")}, "Beta"},
        {"umlauts sort with their letter", "Äpfel",
         {u8(""), u8("Alpha"), u8("Äpfel"), u8("Beta"), u8("beta"), u8("gamma~zwei")}, "Äpfel"},
        {"Enter in an empty field adds nothing", "",
         {u8(""), u8("Alpha"), u8("Äpfel"), u8("Beta"), u8("beta"), u8("gamma~zwei")}, "Äpfel"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        eintippen(fenster, u8(row.text));
        EXPECT_EQ(eintraege(fenster), row.liste);
        EXPECT_EQ(gewaehlt(fenster), u8(row.gewaehlt));
        EXPECT_TRUE(fenster->isVisible()) << "Enter in the field never leaves the window";
    }
}

TEST_F(KeywordListTest, takingIn_unloadsTheSearchWindow_soThatItReadsTheFileAgain)
{
    auto* suchen = new platform::Form;
    suchen->setObjectName(u8("Suchen"));
    Stichworte* fenster = oeffnen();
    ASSERT_EQ(platform::findForm(u8("Suchen")), suchen);
    eintippen(fenster, u8("Neu"));
    EXPECT_EQ(platform::findForm(u8("Suchen")), nullptr);
}

TEST_F(KeywordListTest, oneKeywordIsOneLine_lineBreaksBecomeTilde)
{
    Stichworte* fenster = oeffnen();
    struct Row {
        const char* name;
        std::function<void(Stichworte*)> eingabe;
        const char* feld;
    };
    const Row rows[] = {
        {"the opener's two-line selection",
         [](Stichworte* f) { f->vorschlagSetzen(u8("erste\r\nzweite")); }, "erste~zweite"},
        {"pasted text with LF and CR",
         [](Stichworte* f) {
             f->Text->setText(u8("ab"));
             f->Text->setCursorPosition(1);
             f->Text->insert(u8("x\ny\rz"));
         },
         "ax~y~zb"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.eingabe(fenster);
        EXPECT_EQ(fenster->Text->text(), u8(row.feld));
        fenster->BefAufnehmen->click();
    }
    fenster->BefAbbruch->click();
    EXPECT_EQ(datei(), QByteArray("\r\nAlpha\r\nax~y~zb\r\nbeta\r\nerste~zweite\r\ngamma~zwei\r\n"));

    // And read back: the same keywords.
    Stichworte* wieder = oeffnen();
    EXPECT_EQ(eintraege(wieder), QStringList({u8(""), u8("Alpha"), u8("ax~y~zb"), u8("beta"),
                                               u8("erste~zweite"), u8("gamma~zwei")}));
}

TEST_F(KeywordListTest, zoomRoundTrip_tildeIsALineBreakThere_cancelKeepsTheField)
{
    Stichworte* fenster = oeffnen();
    struct Row {
        const char* name;
        std::function<void(views::ZoomText*)> antwort;
        const char* feld;
    };
    const Row rows[] = {
        {"Ok takes the edited text",
         [](views::ZoomText* z) {
             EXPECT_EQ(z->Text->text(), u8("erste\r\nzweite"));
             EXPECT_EQ(z->Text->maxLength(), 1024);
             EXPECT_EQ(z->Text->selText(), u8("zweite")) << "the same characters selected";
             EXPECT_EQ(z->windowTitle(), u8("Zoom (Neues Stichwort)"));
             z->Text->setSelText(u8("zwei\r\ndrei"));
             z->befOk->click();
         },
         "erste~zwei~drei"},
        {"Abbrechen leaves the field",
         [](views::ZoomText* z) {
             z->Text->setText(u8("anders"));
             z->befAbbrechen->click();
         },
         "erste~zwei~drei"},
    };
    fenster->Text->setText(u8("erste~zweite"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fenster->Text->setSelection(6, 6);
        sobaldOffen<views::ZoomText>(row.antwort);
        fenster->bezZoom->click();
        EXPECT_EQ(fenster->Text->text(), u8(row.feld));
        EXPECT_EQ(platform::findForm<views::ZoomText>(), nullptr);
    }
}

TEST_F(KeywordListTest, readOnly_noTakingDeletingChoosing_nothingWritten_zoomAndLeavingWork)
{
    foundation::nurLesen = true;
    const auto vorher = datenordnerInhalt();
    Stichworte* fenster = oeffnen();
    fenster->Text->setText(u8("Neu"));
    fenster->Liste->setCurrentRow(1);
    fenster->Zeit_Timer();
    EXPECT_FALSE(fenster->BefAufnehmen->isEnabled());
    EXPECT_FALSE(fenster->befLöschen->isEnabled());
    EXPECT_FALSE(fenster->befEinfügen->isEnabled());
    EXPECT_TRUE(fenster->bezZoom->isEnabled());
    EXPECT_TRUE(fenster->befDrucken->isEnabled());

    QTest::keyClick(fenster->Text, Qt::Key_Return);
    QTest::keyClick(fenster->Liste, Qt::Key_Return);
    fenster->BefAufnehmen_Click();
    fenster->befLöschen_Click();
    fenster->befEinfügen_Click();
    EXPECT_EQ(eintraege(fenster), QStringList({u8(""), u8("Alpha"), u8("beta"), u8("gamma~zwei")}));
    EXPECT_TRUE(fenster->isVisible());

    sobaldOffen<views::ZoomText>([](views::ZoomText* z) {
        z->Text->setText(u8("Neu\r\nzwei"));
        z->befOk->click();
    });
    fenster->bezZoom->click();
    EXPECT_EQ(fenster->Text->text(), u8("Neu~zwei"));

    fenster->BefAbbruch->click();
    EXPECT_TRUE(fenster->isHidden());
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(KeywordListTest, aKeywordFileThatCannotBeRead_isReportedAndNeverWrittenOver)
{
    struct Row {
        const char* name;
        std::function<void(const QString& pfad)> anlegen;
    };
    const Row rows[] = {
        {"a folder of that name", [](const QString& pfad) { QDir().mkpath(pfad); }},
        {"a named pipe", [](const QString& pfad) {
             ASSERT_EQ(::mkfifo(QFile::encodeName(pfad).constData(), 0600), 0);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(views::stichwortDatei());
        row.anlegen(views::stichwortDatei());
        const auto vorher = datenordnerInhalt();
        dialogs.expectMsgBox(platform::vbOK, u8("kann nicht gelesen werden"));
        Stichworte* fenster = oeffnen();
        ASSERT_FALSE(dialogs.calls().empty());
        EXPECT_EQ(dialogs.calls().back().icon, platform::vbExclamation);
        eintippen(fenster, u8("Neu"));
        fenster->BefAbbruch->click();
        EXPECT_EQ(datenordnerInhalt(), vorher);
        fenster->unload();
        QDir(views::stichwortDatei()).removeRecursively();
        QFile::remove(views::stichwortDatei());
    }
}

TEST_F(KeywordListTest, aFailedSave_isReported)
{
    Stichworte* fenster = oeffnen();
    eintippen(fenster, u8("Neu"));
    foundation::ordnerDat = folders.temp().file(u8("fehlt/auch"));
    dialogs.expectMsgBox(platform::vbOK, u8("konnten nicht in »"));
    fenster->BefAbbruch->click();
    EXPECT_TRUE(fenster->isHidden());
}

TEST_F(KeywordListTest, printsTheListThroughItsPrinterSettings)
{
    Stichworte* fenster = oeffnen();
    sobaldOffen<print::PrinterSet>([](print::PrinterSet* w) {
        EXPECT_EQ(w->windowTitle(), u8("Drucken - Korvanel, Stichwörter"));
        w->befOk->click();
    });
    fenster->befDrucken->click();
    EXPECT_EQ(print::druckJob, u8("Korvanel_Stichworte"));
    ASSERT_EQ(papier.documents().size(), 1u);
    const auto& seite = papier.documents().front().pages.at(0);
    EXPECT_EQ(seite.strings(), QStringList({u8(" "), u8("Korvanel, Liste der Stichwörter, Seite 1"),
                                            u8("Alpha"), u8("beta"), u8("gamma~zwei")}));
    EXPECT_EQ(seite.texts.at(1).font.name, u8("Arial"));
    EXPECT_NEAR(seite.texts.at(2).y - seite.texts.at(1).y, 3 * 0.5, 1e-9)
        << "an empty line below the header, then the empty keyword's line";
    EXPECT_TRUE(fenster->BefAbbruch->hasFocus() || !QApplication::focusWidget());
    print::druckJob.clear();
}

TEST(KeywordOrder, germanWithoutRegardToCase_thenByCharacterCodes)
{
    const QStringList sortiert{u8(""),  u8("Alpha"), u8("alpha"), u8("Äpfel"),
                               u8("äpfel"), u8("beta"), u8("Straße"), u8("Strasse2"),
                               u8("zeta")};
    for (int i = 0; i < sortiert.size(); ++i) {
        for (int j = 0; j < sortiert.size(); ++j) {
            SCOPED_TRACE((sortiert[i] + u8(" / ") + sortiert[j]).toStdString());
            EXPECT_EQ(views::stichwortVorher(sortiert[i], sortiert[j]), i < j);
        }
    }
}

} // namespace
