#include "print/print_window.h"

#include "platform/actions.h"
#include "print/day_export.h"
#include "store/mood_marker.h"
#include "support/fake_random.h"
#include "support/pdf_text.h"
#include "support/small_disk.h"
#include "views/month_sheet.h"
#include "views/views_fixture.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

#include <cmath>
#include <map>
#include <memory>

using print::Druck;

namespace {

class PrintWindow : public ViewsTest {
protected:
    PrintWindow()
    {
        eintrag("20240201", "Gr\xFC\xDF" "e\r\nZweite Zeile");
        datenordner.write(QStringLiteral("2024/20240203.TXT"), "Dritter");
        zeigeTag(u8("15.02.2024"));
    }

    Druck* oeffnen()
    {
        auto* druck = new Druck;
        druck->show();
        return druck;
    }

    Druck* oeffnenMitBereich(const char* von, const char* bis)
    {
        Druck* druck = oeffnen();
        druck->BezDatumAb->setText(u8(von));
        druck->BezDatumBis->setText(u8(bis));
        return druck;
    }

    QString ziel(const char* name) const { return folders.temp().file(u8(name)); }
    QByteArray zielBytes(const char* name) const { return folders.temp().read(u8(name)); }

    // The lines of a printed page: the words of one height joined, in the order printed, without
    // the blanks at their ends.
    static QStringList zeilen(const RecordingPrintSurface::Page& seite)
    {
        QStringList ergebnis;
        double y = -1;
        for (const RecordingPrintSurface::Text& t : seite.texts) {
            if (ergebnis.isEmpty() || std::abs(t.y - y) > 1e-6)
                ergebnis.append(QString());
            ergebnis.last() += t.text;
            y = t.y;
        }
        for (QString& zeile : ergebnis)
            zeile = zeile.trimmed();
        ergebnis.removeAll(QString());
        return ergebnis;
    }

    // Prints with the printer settings answered: set is applied before OK.
    void drucken(Druck* druck, const std::function<void(print::PrinterSet*)>& set = {})
    {
        mitDruckeinstellungen(
            [set](print::PrinterSet* w) {
                if (set)
                    set(w);
                w->befOk_Click();
            },
            [druck] { druck->befOk_Click(); });
    }

    InstalledFake<FakeRandom> zufall{platform::setRandom, std::vector<double>{0.9}};
};

// --- Window, range, preview -----------------------------------------------------------------

TEST_F(PrintWindow, opensOnTheShownMonthAndTheRangeMenusSetBothLabels)
{
    Druck* druck = oeffnen();
    EXPECT_EQ(druck->windowTitle(), u8("Korvanel drucken / exportieren"));
    EXPECT_EQ(druck->BezDatumAb->text(), u8("01.02.2024"));
    EXPECT_EQ(druck->BezDatumBis->text(), u8("29.02.2024"));
    EXPECT_TRUE(druck->ODruckenEinrücken->isChecked()) << "on by default";
    EXPECT_FALSE(druck->ODruckenAlleTage->isChecked());
    EXPECT_EQ(druck->kombiDatumFilter->count(), 9);
    EXPECT_EQ(druck->kombiDatumFilter->itemText(1), u8("01.07."));
    EXPECT_EQ(druck->kombiDatumFilter->itemText(8), u8("So"));

    struct Row {
        const char* name;
        const char* aktion;
        const char* von;
        const char* bis;
    };
    const Row rows[] = {
        {"year", "mnuBereichJahr", "01.01.2024", "31.12.2024"},
        {"day", "mnuBereichTag", "15.02.2024", "15.02.2024"},
        {"whole diary", "mnuBereichGesamt", "01.02.2024", "03.02.2024"},
        {"month", "mnuBereichMonat", "01.02.2024", "29.02.2024"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(druck->actions->trigger(u8(row.aktion)));
        EXPECT_EQ(druck->BezDatumAb->text(), u8(row.von));
        EXPECT_EQ(druck->BezDatumBis->text(), u8(row.bis));
    }
}

TEST_F(PrintWindow, wholeDiaryOfAnEmptyDiaryLeavesTheRange)
{
    QDir(datenordner.path() + u8("/2024")).removeRecursively();
    Druck* druck = oeffnen();
    druck->mnuBereichGesamt_Click();
    EXPECT_EQ(druck->BezDatumAb->text(), u8("01.02.2024"));
    EXPECT_EQ(druck->BezDatumBis->text(), u8("29.02.2024"));
}

TEST_F(PrintWindow, aStartChosenAfterTheEndTakesTheEnd)
{
    Druck* druck = oeffnen();
    sobaldOffen<views::Monatsblatt>([](views::Monatsblatt* blatt) {
        blatt->TimerInit_Timer();
        QCoreApplication::processEvents();
        blatt->MonthView->setSelectedDate(QDate(2024, 3, 20));
        blatt->befOk->click();
    });
    druck->BezDatumAb_Click();
    EXPECT_EQ(druck->BezDatumAb->text(), u8("29.02.2024"));
    EXPECT_EQ(druck->BezDatumBis->text(), u8("29.02.2024"));

    sobaldOffen<views::Monatsblatt>([](views::Monatsblatt* blatt) {
        blatt->TimerInit_Timer();
        QCoreApplication::processEvents();
        blatt->MonthView->setSelectedDate(QDate(2024, 2, 10));
        blatt->befOk->click();
    });
    druck->BezDatumBis_Click();
    EXPECT_EQ(druck->BezDatumAb->text(), u8("10.02.2024"));
    EXPECT_EQ(druck->BezDatumBis->text(), u8("10.02.2024"));
}

TEST_F(PrintWindow, aKeywordSwitchesDaysWithoutEntryOff)
{
    Druck* druck = oeffnen();
    druck->ODruckenAlleTage->setChecked(true);
    druck->kombiSuche->setEditText(u8("dritt"));
    EXPECT_FALSE(druck->ODruckenAlleTage->isEnabled());
    druck->kombiSuche->setEditText(QString());
    EXPECT_TRUE(druck->ODruckenAlleTage->isEnabled());
}

TEST_F(PrintWindow, previewShowsTheLayoutOfTheOptions)
{
    const QString z1 = u8("xxxx xxx xxx x xxxxx xxxxxxxx xx xxx xx xxxx xx x xxxxx xxxx");
    const QString z2 = u8("xxxx xx xxx xx xxxx xx x xxxxx xxxxxxxx xx xxx xx xxxx xx x xxxxx xxxx");
    const QString z3 = u8("xx xxx xxxxxxx xxx xxxx xx xxx xx xxxx xx x xxxxx xxxxxx xx xxxx xxx xxxx");
    const QString ein(15, u' ');
    const QString n = u8("\n");
    struct Row {
        const char* name;
        bool alleTage;
        bool einruecken;
        bool seiteProTag;
        QString text;
    };
    // Day 0 has three lines, day 1 none, day 2 one, day 3 two.
    const Row rows[] = {
        {"plain, three days", false, false, false,
         u8("01.02.2024, Do ") + z1 + n + z2 + n + z3 + n + n + u8("03.02.2024, Sa ") + z1 + n
             + n},
        {"indented", false, true, false,
         u8("01.02.2024, Do ") + z1 + n + ein + z2 + n + ein + z3 + n + n + u8("03.02.2024, Sa ")
             + z1 + n + n},
        {"with empty days", true, false, false,
         u8("01.02.2024, Do ") + z1 + n + z2 + n + z3 + n + n + u8("02.02.2024, Fr ") + n + n
             + u8("03.02.2024, Sa ") + z1 + n + n + u8("04.02.2024, So ") + z1 + n + z2 + n + n},
        {"one day per page shows one day", true, false, true,
         u8("01.02.2024, Do ") + z1 + n + z2 + n + z3 + n + n},
    };
    Druck* druck = oeffnen();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        druck->ODruckenAlleTage->setChecked(row.alleTage);
        druck->ODruckenEinrücken->setChecked(row.einruecken);
        druck->ODruckenSeiteProTag->setChecked(row.seiteProTag);
        druck->BezDatumAb->setText(u8("01.02.2024"));
        druck->BezDatumBis->setText(row.alleTage ? u8("04.02.2024") : u8("03.02.2024"));
        druck->VorschauAnzeigen();
        EXPECT_EQ(druck->txtVorschau->toPlainText(), row.text);
    }
}

TEST_F(PrintWindow, fontDialogSetsThePreviewAndIsStoredOnClose)
{
    Druck* druck = oeffnen();
    dialogs.expectFont(std::nullopt);
    druck->BefSetSchrift_Click();
    EXPECT_EQ(druck->txtVorschau->font().family(), u8("Courier New"));
    EXPECT_EQ(dialogs.calls().back().minSize, 4);
    EXPECT_EQ(dialogs.calls().back().maxSize, 25);

    platform::FontChoice wahl{QFont(u8("Arial"), 12), QColor(255, 0, 0)};
    wahl.font.setBold(true);
    dialogs.expectFont(wahl, u8("Schrift"));
    druck->BefSetSchrift_Click();
    druck->BefAbruch_Click();
    EXPECT_FALSE(druck->isVisible());
    EXPECT_EQ(einstellung(u8("SchriftDruck")), u8("Arial; 12;-1;0;0;255;"));
    EXPECT_EQ(einstellung(u8("DruckenEinrücken")), u8("1"));
    EXPECT_EQ(einstellung(u8("DruckenAlleTage")), u8("0"));

    // The next window takes the font again.
    Druck* wieder = oeffnen();
    EXPECT_EQ(wieder->txtVorschau->font().family(), u8("Arial"));
    EXPECT_EQ(wieder->txtVorschau->font().pointSize(), 12);
}

// --- File and clipboard -----------------------------------------------------------------------

TEST_F(PrintWindow, korvanelFormatFileIsWrittenNamedAndTheWindowCloses)
{
    Druck* druck = oeffnenMitBereich("01.02.2024", "03.02.2024");
    dialogs.expectSaveFile(ziel("aus.kv"), 0, u8("Korvanel in welche Datei ausgeben?"))
        .expectMsgBox(platform::vbOK, u8("Die Ausgabe wurde in der Datei »") + ziel("aus.kv")
                                          + u8("« gespeichert."));
    ASSERT_TRUE(druck->actions->trigger(u8("mnuAusgabeDatei(0)")));

    EXPECT_EQ(zielBytes("aus.kv"),
              QByteArray("Korvanel vom 01.02.2024 bis zum 03.02.2024.\r\n\r\n"
                         "@ 01.02.2024, Do: Gr\xFC\xDF" "e\r\nZweite Zeile\r\n\r\n"
                         "@ 03.02.2024, Sa: Dritter\r\n\r\n"));
    const FakeDialogs::Call& wahl = dialogs.calls().at(0);
    EXPECT_EQ(wahl.filter, u8("Korvanele|*.kv|Alles|*.*|"));
    EXPECT_EQ(wahl.start, datenordner.path() + u8("/Ausgabe.kv"));
    EXPECT_EQ(einstellung(u8("ExpPre")), u8("@_"));
    EXPECT_EQ(einstellung(u8("ExpSuf")), u8(":_"));
    EXPECT_EQ(einstellung(u8("FileNameExp")), ziel("aus.kv"));
    EXPECT_EQ(einstellung(u8("DateiDruckZuletzt")), u8("01.07.2024 09:30"));
    EXPECT_FALSE(druck->isVisible());
    EXPECT_FALSE(druck->ausgabeLaeuft);
}

TEST_F(PrintWindow, passwordWarningAndCancelledChooserLeaveTheWindowIdle)
{
    store::kennwortSchreiben = u8("geheim");
    Druck* druck = oeffnen();
    dialogs.expectMsgBox(platform::vbCancel, u8("nicht verschlüsselt"));
    druck->mnuAusgabeDatei_Click(0);
    EXPECT_EQ(dialogs.calls().size(), 1u) << "no file chooser after Cancel";
    EXPECT_EQ(dialogs.calls().at(0).title, u8("Korvanel, Kennwortschutz"));
    EXPECT_EQ(dialogs.calls().at(0).icon, platform::vbExclamation);

    dialogs.expectMsgBox(platform::vbOK).expectSaveFile(std::nullopt);
    druck->mnuAusgabeDatei_Click(1);
    EXPECT_TRUE(druck->isVisible());
    EXPECT_FALSE(druck->ausgabeLaeuft);
    EXPECT_TRUE(druck->befOk->isEnabled());
    EXPECT_EQ(einstellung(u8("FileNameExp")), u8("<fehlt>"));

    // Idle, "Abbr&echen" closes at once.
    druck->BefAbruch->click();
    EXPECT_FALSE(druck->isVisible());
}

TEST_F(PrintWindow, cancelDuringALongOutputLeavesAFileOfTheDaysWalked)
{
    Druck* druck = oeffnenMitBereich("01.02.2024", "29.02.2024");
    // After the second day the user presses "Abbr&echen".
    QObject::connect(druck->ProgressBar, &QProgressBar::valueChanged, druck, [druck](int wert) {
        if (wert >= 7 && druck->BefAbruch->isEnabled())
            druck->BefAbruch->click();
    });
    dialogs.expectSaveFile(ziel("teil.kv")).expectMsgBox(platform::vbOK, u8("gespeichert"));
    druck->mnuAusgabeDatei_Click(0);
    EXPECT_EQ(zielBytes("teil.kv"),
              QByteArray("Korvanel vom 01.02.2024 bis zum 29.02.2024.\r\n\r\n"
                         "@ 01.02.2024, Do: Gr\xFC\xDF" "e\r\nZweite Zeile\r\n\r\n"));
    EXPECT_FALSE(druck->isVisible());
}

TEST_F(PrintWindow, aFailedWriteLeavesTheOldFileAndSaysSo)
{
    SmallDisk disk(256 * 1024, 64);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why().toStdString();
    disk.write(u8("alt.kv"), "alter Inhalt\r\n");
    eintrag("20240202", QByteArray(400 * 1024, 'x'));
    Druck* druck = oeffnenMitBereich("01.02.2024", "03.02.2024");

    // Stop: the window stays idle.
    dialogs.expectSaveFile(disk.file(u8("alt.kv")));
    druck->mnuAusgabeDatei_Click(0);
    EXPECT_EQ(disk.read(u8("alt.kv")), QByteArray("alter Inhalt\r\n"));
    ASSERT_EQ(fehler.size(), 1);
    EXPECT_TRUE(fehler.at(0).startsWith(u8("61 Fehler beim 'Ausdruck in Datei'")));
    EXPECT_TRUE(druck->isVisible());
    EXPECT_FALSE(druck->ausgabeLaeuft);
    EXPECT_EQ(einstellung(u8("DateiDruckZuletzt")), u8("<fehlt>"));

    // Going on: nothing is written, the user is told, the window closes.
    foundation::setFehlerBehandlungFuerTests([](int, const QString&) { return 5; });
    dialogs.expectSaveFile(disk.file(u8("alt.kv")))
        .expectMsgBox(platform::vbOK, u8("wurde nicht geschrieben"));
    druck->mnuAusgabeDatei_Click(0);
    EXPECT_EQ(disk.read(u8("alt.kv")), QByteArray("alter Inhalt\r\n"));
    EXPECT_FALSE(druck->isVisible());
}

TEST_F(PrintWindow, readOnlyStartsTheChooserAtHomeAndRefusesTheDataFolder)
{
    foundation::nurLesen = true;
    Druck* druck = oeffnen();
    const auto vorher = datenordnerInhalt();
    dialogs.expectSaveFile(datenordner.path() + u8("/x.kv"))
        .expectMsgBox(platform::vbOK, u8("schreibt nichts in den Datenordner"));
    druck->mnuAusgabeDatei_Click(0);
    EXPECT_EQ(dialogs.calls().at(0).start, QDir::homePath() + u8("/Ausgabe.kv"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_TRUE(druck->isVisible());
}

TEST_F(PrintWindow, clipboardGetsTheTextAndTheMessageItsSize)
{
    eintrag("20240201", "\r\n\r\nText\r\n");
    foundation::IniSchreiben({}, {}, u8("ExpSuf"), u8("_-_"));
    foundation::IniSchreiben({}, {}, u8("ExpSufZA"), u8("~"));
    Druck* druck = oeffnenMitBereich("01.02.2024", "01.02.2024");
    dialogs.expectMsgBox(platform::vbOK,
                         u8("Die Ausgabe mit 70 B befindet sich jetzt in der Zwischenablage."));
    ASSERT_TRUE(druck->actions->trigger(u8("mnuAusgabeZA(0)")));
    EXPECT_EQ(clipboard.text(), u8("Korvanel vom 01.02.2024 bis zum 01.02.2024.\r\n\r\n"
                                   "01.02.2024, Do - Text\r\n"));
    EXPECT_TRUE(dialogs.calls().at(0).text.startsWith(u8("Die Ausgabe mit 70 B")));
    EXPECT_EQ(einstellung(u8("FileNameExp")), u8("<fehlt>"));
    EXPECT_EQ(einstellung(u8("DateiDruckZuletzt")), u8("<fehlt>"));
    EXPECT_FALSE(druck->isVisible());

    // A long output: the message shows its beginning only.
    for (int tag = 1; tag <= 29; ++tag)
        eintrag(QStringLiteral("202402%1").arg(tag, 2, 10, QLatin1Char('0')).toLatin1().constData(),
                QByteArray(300, 'y'));
    druck = oeffnenMitBereich("01.02.2024", "29.02.2024");
    dialogs.expectMsgBox(platform::vbOK, u8("Ki"));
    druck->mnuAusgabeZA_Click(0);
    EXPECT_GT(clipboard.text().size(), 8000);
    EXPECT_LT(dialogs.calls().back().text.size(), 2000);
}

// --- Print ---------------------------------------------------------------------------------------

TEST_F(PrintWindow, printPutsHeadingAndTextOnePerDayAndIgnoresTheMarkerOption)
{
    struct Row {
        const char* name;
        const char* format; // DateFormPrn; nullptr: not set
        QStringList zeilen;
    };
    const Row rows[] = {
        {"default heading", nullptr,
         {u8("01.02.2024, Do, Grüße"), u8("Zweite Zeile"), u8("03.02.2024, Sa, Dritter")}},
        {"long weekday", "dddd",
         {u8("Donnerstag, Grüße"), u8("Zweite Zeile"), u8("Samstag, Dritter")}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.format)
            foundation::IniSchreiben({}, {}, u8("DateFormPrn"), u8(row.format));
        Druck* druck = oeffnenMitBereich("01.02.2024", "03.02.2024");
        druck->ODruckenEinrücken->setChecked(false);
        druck->OMarkedOnly->setChecked(true);
        const std::size_t vorher = papier.documents().size();
        drucken(druck);
        ASSERT_EQ(papier.documents().size(), vorher + 1);
        const auto& dokument = papier.documents().back();
        EXPECT_TRUE(dokument.ended);
        ASSERT_EQ(dokument.pages.size(), 1u);
        EXPECT_EQ(zeilen(dokument.pages[0]), row.zeilen);
        EXPECT_FALSE(druck->isVisible());
        EXPECT_EQ(sound.beeps().back(), platform::beepExclamation);
    }
}

TEST_F(PrintWindow, printTakesThePreviewColourThoughTheWindowIsLockedMeanwhile)
{
    struct Row {
        const char* name;
        const char* schrift; // SchriftDruck; nullptr: not set
        QColor farbe;
    };
    const Row rows[] = {
        {"design font", nullptr, QColor(Qt::black)},
        {"stored red font", "Arial; 12;-1;0;0;255;", QColor(255, 0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.schrift)
            foundation::IniSchreiben({}, {}, u8("SchriftDruck"), u8(row.schrift));
        Druck* druck = oeffnenMitBereich("01.02.2024", "03.02.2024");
        drucken(druck);
        const auto& seite = papier.documents().back().pages.at(0);
        ASSERT_FALSE(seite.texts.empty());
        for (const RecordingPrintSurface::Text& t : seite.texts) {
            if (t.text.trimmed().isEmpty())
                continue;
            SCOPED_TRACE(t.text.toStdString());
            EXPECT_EQ(t.color.rgb(), row.farbe.rgb());
        }
    }
}

TEST_F(PrintWindow, indentedTextStartsAtTheHeadingWidthOnEveryLineAndPage)
{
    QByteArray lang;
    for (int i = 0; i < 1500; ++i)
        lang += "Wort" + QByteArray::number(i) + ' ';
    eintrag("20240202", lang);
    foundation::IniSchreiben({}, {}, u8("Fusszeile"), u8("1"));
    Druck* druck = oeffnenMitBereich("02.02.2024", "02.02.2024");
    drucken(druck);
    ASSERT_FALSE(papier.documents().empty());
    const auto& dokument = papier.documents().back();
    ASSERT_GE(dokument.pages.size(), 2u);
    // Courier New 10 on the recording printer: 0.2 cm a character, 16 for the heading.
    double links = -1;
    for (const RecordingPrintSurface::Text& t : dokument.pages[0].texts) {
        if (t.text.trimmed() == u8("02.02.2024,")) {
            links = t.x;
            break;
        }
    }
    ASSERT_GE(links, 0) << "no heading";
    int woerter = 0;
    for (const auto& seite : dokument.pages) {
        // Every page the entry runs over, and the last, ends with the footer.
        ASSERT_FALSE(seite.texts.empty());
        EXPECT_TRUE(seite.texts.back().text.contains(u8("Ausdruck vom")))
            << seite.texts.back().text.toStdString();
        for (const RecordingPrintSurface::Text& t : seite.texts) {
            const QString wort = t.text.trimmed();
            if (wort.isEmpty() || wort == u8("02.02.2024,") || wort == u8("Fr")
                || t.text.contains(u8("Ausdruck vom")))
                continue;
            ++woerter;
            EXPECT_GE(t.x, links + 3.2 - 1e-6) << t.text.toStdString();
        }
    }
    EXPECT_EQ(woerter, 1500);
}

TEST_F(PrintWindow, pagesCopiesOrientationAndATooSmallPage)
{
    foundation::IniSchreiben({}, {}, u8("Fusszeile"), u8("1"));
    // One page per day: no footers.
    Druck* druck = oeffnenMitBereich("01.02.2024", "03.02.2024");
    druck->ODruckenSeiteProTag->setChecked(true);
    const int vorher = papier.Orientation();
    drucken(druck, [](print::PrinterSet* w) {
        w->optAusrichtung[1]->setChecked(true);
        w->ComboAnzahl->setCurrentIndex(2);
    });
    ASSERT_EQ(papier.documents().size(), 3u) << "three copies";
    for (const auto& dokument : papier.documents()) {
        EXPECT_EQ(dokument.pages.size(), 2u) << "no empty page after the last day";
        EXPECT_EQ(dokument.pages[0].orientation, platform::vbPRORLandscape);
        for (const auto& seite : dokument.pages)
            for (const auto& t : seite.texts)
                EXPECT_FALSE(t.text.contains(u8("Ausdruck vom")));
    }
    EXPECT_EQ(papier.Orientation(), vorher) << "orientation restored";

    // A page too small for a line ends the print with a message instead of endless pages.
    eintrag("20240202", QByteArray(2000, 'a').replace("aaaaa", "aaaa "));
    druck = oeffnenMitBereich("02.02.2024", "03.02.2024");
    dialogs.expectMsgBox(platform::vbOK);
    drucken(druck, [](print::PrinterSet* w) {
        w->ComboRandY->setCurrentIndex(100);
        w->ComboRandH->setCurrentIndex(105);
    });
    const auto& dokument = papier.documents().back();
    EXPECT_TRUE(dokument.ended);
    EXPECT_LT(dokument.pages.size(), 5u);
    EXPECT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(papier.Orientation(), vorher);
}

TEST_F(PrintWindow, printToAPdfFileReadsBackEveryWordInOrder)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    std::unique_ptr<platform::PrintSurface> pdf = platform::makeSystemPrintSurface(true);
    pdf->setPdfFolder(folders.temp().file(u8("Ausdrucke")));
    ScopedService pdfGuard(platform::setPrinter, pdf.get());
    Druck* druck = oeffnenMitBereich("01.02.2024", "03.02.2024");
    druck->ODruckenEinrücken->setChecked(false);
    dialogs.expectMsgBox(platform::vbOK, u8(".pdf"));
    drucken(druck);
    const std::optional<QStringList> seiten = pdfPages(pdf->lastOutputFile());
    ASSERT_TRUE(seiten.has_value());
    const QString text = seiten->join(u' ').simplified();
    EXPECT_TRUE(text.contains(u8("01.02.2024, Do, Grüße Zweite Zeile 03.02.2024, Sa, Dritter")))
        << text.toStdString();
}

} // namespace
