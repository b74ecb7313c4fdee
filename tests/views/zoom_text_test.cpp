// The enlarged editor: the status display, the font sizes and what Ok stores, the keys, the
// double click on a link and the print across pages.
#include "views_fixture.h"

#include "foundation/ini_store.h"
#include "platform/actions.h"
#include "platform/status_panels.h"
#include "platform/text_box.h"
#include "runtime/numbers.h"
#include "views/zoom_text.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using views::ZoomText;

namespace {

class ZoomTextTest : public ViewsTest {
protected:
    // The editor as its opener fills it.
    ZoomText* oeffnen(const QString& text, int maxLaenge = 1024)
    {
        auto* zoom = new ZoomText;
        zoom->Text->setText(text);
        zoom->Text->setMaxLength(maxLaenge);
        zoom->setWindowTitle(u8("Zoom (Neues Stichwort)"));
        return zoom;
    }
    QString gespeicherteGroesse() const
    {
        return foundation::IniLesen(QString(), QString(), u8("ZoomFntSize"), u8("<fehlt>"));
    }
    static double groesse(const ZoomText* zoom) { return zoom->Text->font().pointSizeF(); }
};

TEST_F(ZoomTextTest, statusShowsLineAndPositionInCrLfTerms_andTheShareOfTheLimit)
{
    struct Row {
        const char* name;
        const char* text;
        int caret;
        int maxLaenge;
        const char* position;
        const char* positionTipp;
        const char* prozent;
        const char* prozentTipp;
    };
    const Row rows[] = {
        {"caret before the second line", "ab\r\ncd", 4, 1024, " 2. Zeile,  5 / 6 Zeichen ",
         "2. Zeile   5 / 6 Zeichen", "1%", "6 Zeichen von 1.024 möglichen Zeichen belegt"},
        {"caret at the very start", "eins\r\nzwei\r\ndrei", 0, 1024, " 1. Zeile,  1 / 16 Zeichen ",
         "1. Zeile   1 / 16 Zeichen", "2%", "16 Zeichen von 1.024 möglichen Zeichen belegt"},
        {"caret at the end: position is the length", "eins\r\nzwei\r\ndrei", 16, 1024,
         " 3. Zeile,  16 / 16 Zeichen ", "3. Zeile   16 / 16 Zeichen", "2%",
         "16 Zeichen von 1.024 möglichen Zeichen belegt"},
        {"empty text", "", 0, 1024, "keine Eingaben", "keine Eingaben", "0%",
         "0 Zeichen von 1.024 möglichen Zeichen belegt"},
        {"half of the limit", "abcd", 2, 8, " 1. Zeile,  3 / 4 Zeichen ", "1. Zeile   3 / 4 Zeichen",
         "50%", "4 Zeichen von 8 möglichen Zeichen belegt"},
        {"no limit: the count alone", "abc", 0, 0, " 1. Zeile,  1 / 3 Zeichen ",
         "1. Zeile   1 / 3 Zeichen", "0%", "3 Zeichen belegt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ZoomText* zoom = oeffnen(u8(row.text), row.maxLaenge);
        zoom->Text->setSelStart(row.caret);
        zoom->ZeitInfo_Timer();
        EXPECT_EQ(zoom->StatusBar->text(u8("Position")), u8(row.position));
        EXPECT_EQ(zoom->StatusBar->toolTip(u8("Position")), u8(row.positionTipp));
        EXPECT_EQ(zoom->bezProzent->text(), u8(row.prozent));
        EXPECT_EQ(zoom->bezProzent->toolTip(), u8(row.prozentTipp));
        EXPECT_EQ(zoom->StatusBar->text(u8("Prozent")), u8(row.prozent));
        EXPECT_EQ(zoom->StatusBar->toolTip(u8("Prozent")), u8(row.prozentTipp));
        EXPECT_EQ(zoom->StatusBar->text(u8("Status")), u8("Bereit"));
        zoom->unload();
    }
}

TEST_F(ZoomTextTest, fillBarFollowsTheShare_andStopsAtTheFrame)
{
    ZoomText* zoom = oeffnen(u8("abcd"), 8);
    zoom->show();
    zoom->ShapeProzent1->setFixedWidth(102);
    QCoreApplication::processEvents();
    const int innen = zoom->ShapeProzent1->contentsRect().width();
    zoom->ZeitInfo_Timer();
    EXPECT_EQ(zoom->ShapeProzent2->width(), (innen + 1) / 2);

    zoom->Text->setText(u8("0123456789abcdef")); // set by the program beyond the limit
    zoom->ZeitInfo_Timer();
    EXPECT_EQ(zoom->bezProzent->text(), u8("200%"));
    EXPECT_EQ(zoom->ShapeProzent2->width(), innen);
}

TEST_F(ZoomTextTest, okStoresTheSizeInHundredths_cancelStoresNothing)
{
    struct Row {
        const char* name;
        std::function<void(ZoomText*)> groesseWaehlen;
        const char* gespeichert;
    };
    const Row rows[] = {
        {"menu \"15 Punkt\"",
         [](ZoomText* z) { EXPECT_TRUE(z->menues->trigger(u8("mnuSchriftSize(3)"))); }, "1500"},
        {"menu \"12 Punkt\"",
         [](ZoomText* z) { EXPECT_TRUE(z->menues->trigger(u8("mnuSchriftSize(2)"))); }, "1200"},
        {"button \"12\"", [](ZoomText* z) { z->befFontSize[2]->click(); }, "1200"},
        {"a size the opener set: 13.5 points", [](ZoomText* z) {
             QFont f = z->Text->font();
             f.setPointSizeF(13.5);
             z->Text->setFont(f);
         }, "1350"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ZoomText* zoom = oeffnen(u8("Text"));
        row.groesseWaehlen(zoom);
        zoom->befOk->click();
        EXPECT_FALSE(zoom->abgebrochen());
        EXPECT_TRUE(zoom->isHidden());
        EXPECT_FALSE(zoom->isUnloaded()) << "the opener unloads it";
        EXPECT_EQ(gespeicherteGroesse(), u8(row.gespeichert));
        zoom->unload();

        // The next opening starts in that size; Cancel then stores nothing.
        ZoomText* wieder = oeffnen(u8("Text"));
        EXPECT_DOUBLE_EQ(groesse(wieder) * 100, rt::Val(u8(row.gespeichert)));
        EXPECT_TRUE(wieder->menues->trigger(u8("mnuSchriftSize(1)")));
        wieder->befAbbrechen->click();
        EXPECT_TRUE(wieder->abgebrochen());
        EXPECT_EQ(gespeicherteGroesse(), u8(row.gespeichert));
        wieder->unload();
    }
}

TEST_F(ZoomTextTest, loadTakesTheStoredSize_heldWithinItsRange)
{
    struct Row {
        const char* name;
        const char* gespeichert; // nullptr: no key
        double punkte;
    };
    const Row rows[] = {
        {"no key: 13 points", nullptr, 13},
        {"1750", "1750", 17.5},
        {"below 4 points", "150", 4},
        {"above 99 points", "20000", 99},
        {"no number", "gross", 13},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        folders.writeSettingsFile(u8("Brisol.ini"),
                                  row.gespeichert
                                      ? QByteArray("[Korvanel]\r\nZoomFntSize=") + row.gespeichert
                                            + "\r\n"
                                      : QByteArray());
        ZoomText* zoom = oeffnen(u8("x"));
        EXPECT_DOUBLE_EQ(groesse(zoom), row.punkte);
        zoom->unload();
    }
}

TEST_F(ZoomTextTest, smallerAndLargerChangeTheVisibleSizeEveryStep_withinFourAnd99Points)
{
    ZoomText* zoom = oeffnen(u8("Text"));
    const auto sichtbar = [zoom] { return QFontInfo(zoom->Text->font()).pixelSize(); };
    for (int schritt = 0; schritt < 5; ++schritt) {
        SCOPED_TRACE(schritt);
        const int vorher = sichtbar();
        EXPECT_TRUE(zoom->menues->trigger(u8("mnuSchriftSize(1)")));
        EXPECT_GT(sichtbar(), vorher);
    }
    for (int schritt = 0; schritt < 5; ++schritt) {
        SCOPED_TRACE(schritt);
        const int vorher = sichtbar();
        zoom->befFontSize[0]->click();
        EXPECT_LT(sichtbar(), vorher);
    }

    struct Row {
        const char* name;
        double start;
        int index;
        double ergebnis;
    };
    const Row rows[] = {
        {"larger on 99 points leaves 99", 99, 1, 99},
        {"smaller on 4 points leaves 4", 4, 0, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFont f = zoom->Text->font();
        f.setPointSizeF(row.start);
        zoom->Text->setFont(f);
        zoom->mnuSchriftSize_Click(row.index);
        EXPECT_DOUBLE_EQ(groesse(zoom), row.ergebnis);
    }
}

TEST_F(ZoomTextTest, closeBoxKeepsTheEditsAndStores_likeOk)
{
    ZoomText* zoom = oeffnen(u8("alt"));
    zoom->show();
    zoom->Text->setText(u8("neu"));
    EXPECT_TRUE(zoom->menues->trigger(u8("mnuSchriftSize(3)")));
    zoom->close();
    EXPECT_FALSE(zoom->isUnloaded());
    EXPECT_TRUE(zoom->isHidden());
    EXPECT_FALSE(zoom->abgebrochen());
    EXPECT_EQ(zoom->Text->text(), u8("neu"));
    EXPECT_EQ(gespeicherteGroesse(), u8("1500"));
    EXPECT_TRUE(folders.settingsFile(u8("Brisol.ini")).contains("Form_WeiteZoom="))
        << "the position is stored under \"Zoom\"";
}

TEST_F(ZoomTextTest, ctrlDAndCtrlUInsertDateAndTimeWithABlank_inPlaceOfTheSelection)
{
    ZoomText* zoom = oeffnen(u8("am XX war es"));
    zoom->show();
    zoom->Text->setSelStart(3);
    zoom->Text->setSelLength(2);
    QTest::keyClick(zoom->Text, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(zoom->Text->text(), u8("am 01.07.2024  war es"));
    QTest::keyClick(zoom->Text, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(zoom->Text->text(), u8("am 01.07.2024 09:30  war es"));
}

TEST_F(ZoomTextTest, doubleClickSelectsTheQuotedTextAndOpensItAsALink)
{
    ZoomText* zoom = oeffnen(u8("siehe \"www.example.de\" dort\r\nzweite \"Zeile\""));
    zoom->Text->setSelStart(10);
    zoom->Text_DblClick();
    EXPECT_EQ(zoom->Text->selText(), u8("www.example.de"));
    EXPECT_EQ(shell.opened(), QStringList{u8("www.example.de")});
}

TEST_F(ZoomTextTest, printGoesOnOnNewPagesWhileTextIsLeft_clearOfTheFooter)
{
    struct Row {
        const char* name;
        bool fusszeile;
        double punkte;
        int zeilen;
    };
    const Row rows[] = {
        {"20 points, 25 lines a page", false, 20, 60},
        {"6 points with the footer, whose band the body leaves free", true, 6, 200},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::IniSchreiben(QString(), QString(), u8("Fusszeile"), row.fusszeile ? u8("1") : u8("0"));
        QString text;
        for (int i = 1; i <= row.zeilen; ++i)
            text += u8("Zeile %1\r\n").arg(i);
        const std::size_t vorher = papier.documents().size();
        ZoomText* zoom = oeffnen(text, 4096);
        QFont f = zoom->Text->font();
        f.setPointSizeF(row.punkte);
        zoom->Text->setFont(f);
        EXPECT_TRUE(zoom->menues->trigger(u8("mnuTxtPrint")));

        ASSERT_EQ(papier.documents().size(), vorher + 1);
        const auto& doc = papier.documents().back();
        EXPECT_TRUE(doc.ended);
        ASSERT_EQ(doc.pages.size(), 3u);
        EXPECT_TRUE(doc.pages.front().strings().join(QString()).startsWith(
            u8(" Zoom (Neues Stichwort)Zeile 1Zeile 2")));
        EXPECT_TRUE(doc.pages.back().strings().join(QString()).contains(u8("Zeile %1").arg(row.zeilen)))
            << "nothing dropped at a page's end";
        for (const auto& seite : doc.pages) {
            double koerperUnten = 0;
            std::optional<double> fussOben;
            for (const auto& t : seite.texts) {
                if (t.text.startsWith(u8("Brisols-Korvanel"))) {
                    EXPECT_FALSE(fussOben) << "one footer a page";
                    fussOben = t.y;
                    continue;
                }
                if (t.text.trimmed().isEmpty())
                    continue;
                koerperUnten = std::max(koerperUnten, t.y + RecordingPrintSurface::lineHeight(row.punkte));
                EXPECT_DOUBLE_EQ(t.font.size, row.punkte) << "every page in the editor's font";
                EXPECT_GE(t.x, 2.0 - 1e-9);
            }
            EXPECT_EQ(fussOben.has_value(), row.fusszeile);
            if (fussOben) {
                EXPECT_LE(koerperUnten, *fussOben + 1e-9) << "the body stays above the footer";
            }
        }
        zoom->unload();
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(ZoomTextTest, printOfTextThatFitsNoPage_endsWithTheMessage)
{
    papier.setPrintableSize(QSizeF(20.0, 2.0));
    ZoomText* zoom = oeffnen(u8("eins zwei drei"));
    QFont f = zoom->Text->font();
    f.setPointSizeF(40);
    zoom->Text->setFont(f);
    dialogs.expectMsgBox(platform::vbOK);
    zoom->mnuTxtPrint_Click();
    ASSERT_EQ(dialogs.calls().size(), 1u);
    ASSERT_EQ(papier.documents().size(), 1u);
    EXPECT_TRUE(papier.documents().front().ended);
}

} // namespace
