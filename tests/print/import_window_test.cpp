// The import of an export file: the reader of heading lines and records, the merge modes, and
// the window on the real main window, from the preview to the day files it leaves.
#include "mainwindow/main_fixture.h"

#include "print/import_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <algorithm>

namespace {

using print::ImportEintrag;

TEST(ImportReader, headingLinesNeedTheMarksInPlaceAndADate)
{
    const struct {
        const char* zeile;
        const char* vor;
        const char* nach;
        const char* datum;
    } faelle[] = {
        {"@ 01.02.2003, Sa: Text", "@", ":", "01.02.2003"},
        {"@ 01.02.2003, Sa:", "@", ":", "01.02.2003"},
        {"@ 1.2.2003:", "@", ":", ""},                 // the mark is part of the ten characters
        {"@ 1.2.2003   :", "@", ":", "01.02.2003"},
        {"@ 1.2.03:", "@", ":", ""},                   // closing mark before character 10
        {" @ 01.02.2003, Sa: Text", "@", ":", ""},     // opening mark not at the start
        {"@ 01.02.2003, Sa Text", "@", ":", ""},       // no closing mark
        {"@ 31.02.2003, Mo: Text", "@", ":", ""},      // no such day
        {"@ 01.02.1499, Mo: Text", "@", ":", ""},      // before the diary's years
        {"## 05.03.2024, Di: Text", "##", ":", "05.03.2024"},
        {"# 05.03.2024, Di: Text", "##", ":", ""},
        {"05.03.2024, Di| Text", "", "|", "05.03.2024"}, // an empty opening mark is found
        {"@ 05.03.2024, Di: Text", "@", "", ""},       // an empty closing mark is the blank after @
        {"@05.03.2024 Text", "@", "", "05.03.2024"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.zeile);
        EXPECT_EQ(print::ImportKopfzeileDatum(s(fall.zeile), s(fall.vor), s(fall.nach)),
                  s(fall.datum));
    }

    int nachLeer = -1;
    EXPECT_EQ(print::ImportMarke(s("##_"), &nachLeer), s("##"));
    EXPECT_EQ(nachLeer, 1);
    EXPECT_EQ(print::ImportMarke(s("@"), &nachLeer), s("@"));
    EXPECT_EQ(nachLeer, 0);
    EXPECT_EQ(print::ImportMarke(s(":_"), &nachLeer), s(":"));
    EXPECT_EQ(nachLeer, 1);
    EXPECT_EQ(print::ImportMarke(s("#_#__"), &nachLeer), s("# #"));
    EXPECT_EQ(nachLeer, 2);
}

TEST(ImportReader, recordsKeepTheirTextExactly)
{
    const struct {
        const char* name;
        const char* datei;
        std::vector<ImportEintrag> eintraege;
    } faelle[] = {
        {"the export layout",
         "Korvanel vom 01.02.2024 bis zum 05.03.2024.\r\n\r\n@ 01.02.2024, Do: Neu\r\nZeile2\r\n\r\n"
         "@ 05.03.2024, Di: Frisch\r\n\r\n",
         {{s("01.02.2024"), s("Neu\r\nZeile2")}, {s("05.03.2024"), s("Frisch")}}},
        {"LF line ends",
         "Korvanel vom 01.02.2024 bis zum 05.03.2024.\n\n@ 01.02.2024, Do: Neu\nZeile2\n\n"
         "@ 05.03.2024, Di: Frisch\n\n",
         {{s("01.02.2024"), s("Neu\r\nZeile2")}, {s("05.03.2024"), s("Frisch")}}},
        {"CR line ends", "@ 01.02.2024, Do: Neu\rZeile2\r\r",
         {{s("01.02.2024"), s("Neu\r\nZeile2")}}},
        {"markup, indentation and empty lines pass unchanged",
         "@ 01.02.2024, Do: geht\xC2\xB4s ~ gut {datum} ^t\r\n  eingerückt\r\n\r\nnach Leerzeile\r\n\r\n",
         {{s("01.02.2024"), s("geht´s ~ gut {datum} ^t\r\n  eingerückt\r\n\r\nnach Leerzeile")}}},
        {"an entry that begins with an empty line or a blank",
         "@ 01.02.2024, Do: \r\n\r\nX\r\n\r\n@ 02.02.2024, Fr:  Y\r\n\r\n",
         {{s("01.02.2024"), s("\r\n\r\nX")}, {s("02.02.2024"), s(" Y")}}},
        {"an empty record, and a last one without its empty line",
         "@ 01.02.2024, Do: \r\n\r\n\r\n@ 02.02.2024, Fr: A\r\nB",
         {{s("02.02.2024"), s("A\r\nB")}}},
        {"the same day twice, in file order",
         "@ 02.02.2024, Fr: eins\r\n\r\n@ 01.02.2024, Do: x\r\n\r\n@ 02.02.2024, Fr: zwei\r\n\r\n",
         {{s("02.02.2024"), s("eins")}, {s("01.02.2024"), s("x")}, {s("02.02.2024"), s("zwei")}}},
        {"a line like a heading with its mark too early stays text",
         "@ 01.02.2024, Do: a\r\n@ 1.2.03: b\r\n\r\n",
         {{s("01.02.2024"), s("a\r\n@ 1.2.03: b")}}},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const QString text = QString::fromUtf8(fall.datei);
        EXPECT_EQ(print::ImportEintraegeLesen(text, s("@"), s(":"), 1), fall.eintraege);
    }
    EXPECT_EQ(print::ImportVorschauZeile({s("01.02.2024"), s("Neu\r\nZeile2")}),
              s("01.02.2024 Neu~Zeile2"));
}

TEST(ImportReader, mergeModes)
{
    const struct {
        int modus;
        const char* eintrag;
        const char* ergebnis;
    } faelle[] = {
        {print::importErsetzen, "Alt", "[Neu]"},
        {print::importAnhaengen, "Alt", "Alt\r\n[Neu]"},
        {print::importAnhaengen, "Alt\r\n[Neu]", "Alt\r\n[Neu]"},
        {print::importAnhaengen, "Alt [neu]", "Alt [neu]\r\n[Neu]"}, // exact comparison
        {print::importVoranstellen, "Alt", "[Neu]\r\nAlt"},
        {print::importVoranstellen, "[Neu]\r\nAlt", "[Neu]\r\nAlt"},
        {print::importNurLeere, "Alt", "Alt"},
        {print::importErsetzen, "", "[Neu]"},
        {print::importAnhaengen, "", "[Neu]"},
        {print::importVoranstellen, "", "[Neu]"},
        {print::importNurLeere, "", "[Neu]"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(std::to_string(fall.modus) + " " + fall.eintrag);
        EXPECT_EQ(print::ImportZusammenfuehren(s(fall.eintrag), s("[Neu]"), fall.modus),
                  s(fall.ergebnis));
    }
}

// ---------------------------------------------------------------------------------------------

const QByteArray beispiel = "Korvanel vom 01.02.2024 bis zum 05.03.2024.\r\n\r\n"
                            "@ 01.02.2024, Do: Neu\r\nZeile2\r\n\r\n@ 05.03.2024, Di: Frisch\r\n\r\n";

class ImportWindow : public MainFixture {
protected:
    ImportWindow()
    {
        schreiben(s("Info.Txt"), "Tagebuch\r\n");
        schreiben(s("2024/20240201.Txt"), "Alt");
        // The tidy-up of AutoFormat (on by default) would change the entries it saves.
        folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nAutoFormat=0\r\n");
    }
    ~ImportWindow() override
    {
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster) && fenster->widget() != main.get())
                fenster->unload();
        }
    }

    print::Import* oeffnenMit(const QByteArray& datei)
    {
        if (!main)
            oeffnen(s("Txt"), s("10.03.2024"));
        schreiben(s("Ausgabe.kv"), datei);
        auto* fenster = new print::Import(main.get());
        fenster->show();
        return fenster;
    }
    // Runs the import; the question to delete the file is answered No.
    void importieren(print::Import* fenster)
    {
        dialogs.expectMsgBox(platform::vbNo, s("Soll die Datei »") + pfad(s("Ausgabe.kv")));
        fenster->befOk->click();
        store::EintragSpeichern();
    }
    QByteArray tag(const char* tagesnummer) const
    {
        const QString name = s(tagesnummer);
        return lesen(name.left(4) + u'/' + name + s(".Txt"));
    }
};

TEST_F(ImportWindow, theExportFileIsPreviewedAtOnceAndMergedIntoTheDays)
{
    print::Import* fenster = oeffnenMit(beispiel);
    EXPECT_EQ(fenster->windowTitle(), s("Korvanel-Einträge importieren"));
    EXPECT_EQ(fenster->bezQuellDatei->text(), pfad(s("Ausgabe.kv")));
    EXPECT_EQ(fenster->txtVorNach[0]->text(), s("@"));
    EXPECT_EQ(fenster->txtVorNach[1]->text(), s(":"));
    EXPECT_EQ(fenster->bezVorschauInfo->text(),
              s("2 Einträge im Bereich vom 01.02.2024 bis zum 05.03.2024 gefunden."));
    EXPECT_EQ(fenster->ListeVorschau->count(), 2);
    EXPECT_EQ(lesen(s("x-import.tmp")),
              QByteArray("01.02.2024 Neu~Zeile2\r\n05.03.2024 Frisch\r\n"));
    EXPECT_EQ(fenster->kombiIntegration->currentIndex(), 1);
    EXPECT_EQ(fenster->kombiTxtZusatz[0]->currentText(), s("["));
    EXPECT_EQ(fenster->kombiTxtZusatz[1]->currentText(), s("]"));
    EXPECT_TRUE(fenster->befOk->isEnabled());
    EXPECT_TRUE(fenster->chkFotoTxt->isHidden()) << "not an internal installation";

    importieren(fenster);
    EXPECT_EQ(tag("20240201"), QByteArray("Alt\r\n[Neu\r\nZeile2]"));
    EXPECT_EQ(tag("20240305"), QByteArray("[Frisch]"));
    EXPECT_EQ(foundation::IniLesen({}, {}, s("FileNameImp")), pfad(s("Ausgabe.kv")));
    EXPECT_FALSE(vorhanden(s("x-import.tmp")));
    EXPECT_TRUE(vorhanden(s("Ausgabe.kv"))) << "the question was answered No";
    EXPECT_TRUE(fenster->isHidden());
}

TEST_F(ImportWindow, everyMergeModeIsShownWhole)
{
    print::Import* fenster = oeffnenMit(beispiel);
    QComboBox* modi = fenster->kombiIntegration;
    int breitester = 0;
    for (int i = 0; i < modi->count(); ++i)
        breitester = std::max(breitester, modi->fontMetrics().horizontalAdvance(modi->itemText(i)));
    QCoreApplication::processEvents();
    EXPECT_GT(modi->width(), breitester);
}

TEST_F(ImportWindow, modesMarksAndLineEnds)
{
    const QByteArray lf = QByteArray(beispiel).replace("\r\n", "\n");
    const QByteArray eigeneMarken =
        QByteArray(beispiel).replace("@ ", "# ").replace("Do: ", "Do| ").replace("Di: ", "Di| ");
    const struct {
        const char* name;
        const QByteArray datei;
        int modus;
        const char* expPre;
        const char* expSuf;
        const char* alt;   // 01.02.2024
        const char* frisch; // 05.03.2024
    } faelle[] = {
        {"mode 0 replaces", beispiel, 0, "@_", ":_", "[Neu\r\nZeile2]", "[Frisch]"},
        {"mode 2 puts in front", beispiel, 2, "@_", ":_", "[Neu\r\nZeile2]\r\nAlt", "[Frisch]"},
        {"mode 3 only fills empty days", beispiel, 3, "@_", ":_", "Alt", "[Frisch]"},
        {"LF line ends", lf, 1, "@_", ":_", "Alt\r\n[Neu\r\nZeile2]", "[Frisch]"},
        {"marks # and |", eigeneMarken, 1, "#_", "|_", "Alt\r\n[Neu\r\nZeile2]", "[Frisch]"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        if (main)
            main->setDateCaption(s("10.03.2024"));
        schreiben(s("2024/20240201.Txt"), "Alt");
        QFile::remove(platform::resolvePath(pfad(s("2024/20240305.Txt"))));
        foundation::IniSchreiben({}, {}, s("ExpPre"), s(fall.expPre));
        foundation::IniSchreiben({}, {}, s("ExpSuf"), s(fall.expSuf));
        print::Import* fenster = oeffnenMit(fall.datei);
        ASSERT_EQ(fenster->ListeVorschau->count(), 2);
        fenster->kombiIntegration->setCurrentIndex(fall.modus);
        importieren(fenster);
        EXPECT_EQ(tag("20240201"), ansi(fall.alt));
        EXPECT_EQ(tag("20240305"), ansi(fall.frisch));

        // A second import changes nothing (mode 0 replaces by the same text).
        fenster->unload();
        main->setDateCaption(s("10.03.2024"));
        fenster = oeffnenMit(fall.datei);
        fenster->kombiIntegration->setCurrentIndex(fall.modus);
        importieren(fenster);
        EXPECT_EQ(tag("20240201"), ansi(fall.alt));
        EXPECT_EQ(tag("20240305"), ansi(fall.frisch));
        fenster->unload();
    }
}

TEST_F(ImportWindow, entryTextArrivesByteForByte)
{
    print::Import* fenster = oeffnenMit(
        rt::toAnsi(s("@ 05.03.2024, Di: geht´s ~ gut\r\n  eingerückt {datum}\r\n\r\n")));
    fenster->kombiIntegration->setCurrentIndex(print::importErsetzen);
    fenster->kombiTxtZusatz[0]->setEditText(s("´Import´~"));
    fenster->kombiTxtZusatz[1]->setEditText(s(" ~Ende"));
    importieren(fenster);
    EXPECT_EQ(tag("20240305"),
              ansi("»Import«\r\ngeht´s ~ gut\r\n  eingerückt {datum} \r\nEnde"));
}

TEST_F(ImportWindow, anotherFileOrMarkClearsThePreview)
{
    print::Import* fenster = oeffnenMit(beispiel);
    ASSERT_TRUE(fenster->befOk->isEnabled());

    fenster->txtVorNach[0]->setFocus();
    fenster->txtVorNach[0]->selectAll();
    QTest::keyClicks(fenster->txtVorNach[0], s("#"));
    EXPECT_FALSE(fenster->befOk->isEnabled());
    EXPECT_EQ(fenster->ListeVorschau->count(), 0);
    fenster->befVorschau->click();
    EXPECT_EQ(fenster->bezVorschauInfo->text(), s("Keine Einträge gefunden!"));
    EXPECT_FALSE(fenster->befOk->isEnabled());

    fenster->txtVorNach[0]->setText(s("@"));
    fenster->befVorschau->click();
    ASSERT_TRUE(fenster->befOk->isEnabled());
    folders.temp().write(s("anderes.kv"), "@ 07.03.2024, Do: Anderes\r\n\r\n");
    const QString anderes = folders.temp().file(s("anderes.kv"));
    dialogs.expectOpenFile(anderes, 0, s("Wählen Sie eine Import-Datei"));
    fenster->befDatei->click();
    EXPECT_EQ(fenster->bezQuellDatei->text(), anderes);
    EXPECT_FALSE(fenster->befOk->isEnabled()) << "the preview is not built at once";
    EXPECT_EQ(dialogs.calls().back().filter, s("Korvanele|*.kv|Alles|*.*|"));

    // The delete question names the file that was previewed, and Yes deletes it.
    fenster->befVorschau->click();
    dialogs.expectMsgBox(platform::vbYes, s("Soll die Datei »") + anderes + s("« jetzt"));
    fenster->befOk->click();
    EXPECT_FALSE(QFile::exists(anderes));
    store::EintragSpeichern();
    EXPECT_EQ(tag("20240307"), QByteArray("[Anderes]"));
    EXPECT_EQ(foundation::IniLesen({}, {}, s("FileNameImp")), anderes);
}

TEST_F(ImportWindow, cancelAndTheCloseBoxLeaveTheDiaryAlone)
{
    print::Import* fenster = oeffnenMit(beispiel);
    ASSERT_TRUE(vorhanden(s("x-import.tmp")));
    const auto vorher = datenordnerInhalt();
    fenster->close();
    EXPECT_TRUE(fenster->isHidden());
    EXPECT_FALSE(fenster->isUnloaded()) << "the opener unloads it";
    EXPECT_FALSE(vorhanden(s("x-import.tmp")));
    auto nachher = vorher;
    nachher.erase(s("/x-import.tmp"));
    EXPECT_EQ(datenordnerInhalt(), nachher);
}

TEST_F(ImportWindow, theMenuEntriesOpenItModallyAndUnloadIt)
{
    oeffnen(s("Txt"), s("10.03.2024"));
    schreiben(s("Ausgabe.kv"), beispiel);
    for (const char* eintrag : {"mnuImport", "mnuAutoImpMarked"}) {
        SCOPED_TRACE(eintrag);
        bool gesehen = false;
        QTimer::singleShot(0, main.get(), [&gesehen] {
            auto* fenster = platform::findForm<print::Import>();
            ASSERT_NE(fenster, nullptr);
            gesehen = fenster->isModal() && fenster->ListeVorschau->count() == 2;
            fenster->BefAbruch->click();
        });
        ASSERT_TRUE(main->actions->trigger(s(eintrag)));
        EXPECT_TRUE(gesehen);
        EXPECT_EQ(platform::findForm<print::Import>(), nullptr);
    }
}

TEST_F(ImportWindow, doubleClickShowsTheWholeText)
{
    print::Import* fenster = oeffnenMit(beispiel);
    fenster->ListeVorschau->setCurrentRow(0);
    dialogs.expectMsgBox(platform::vbOK, s("Neu\r\nZeile2"));
    fenster->ListeVorschau_DblClick();
    EXPECT_EQ(dialogs.calls().back().title, s("Korvanel, Import-Vorschau für 01.02.2024"));
}

} // namespace

namespace {

// The export of marked entries writes what the import reads: entries carried from one diary
// into another arrive byte for byte.
class MarkedExport : public ImportWindow {
protected:
    MarkedExport()
    {
        schreiben(s("Info.Rei"), "Reisen\r\n");
        schreiben(s("2024/20240201.Txt"), ansi("geht´s ~ gut\r\n  eingerückt {datum}\r\n"));
        schreiben(s("2024/20240305.Txt"), "Frisch");
        schreiben(s("2024/20240306.Txt"), "ohne Marker");
        schreiben(s("Marker_Txt.ini"), "[Marker]\r\n01.02.2024=1\r\n05.03.2024=1\r\n");
    }
};

TEST_F(MarkedExport, theExportIsReadBackByteForByte)
{
    oeffnen(s("Txt"), s("10.03.2024"));
    dialogs.expectMsgBox(platform::vbYes, s("Sollen alle markierten Einträge der letzten 13 Monate "
                                            "in die Datei »")
                                              + pfad(s("Ausgabe.kv")));
    dialogs.expectMsgBox(platform::vbOK, s("@ 05.03.2024, Di: Frisch"));
    dialogs.expectMsgBox(platform::vbYes, s("Alle Marker für das Korvanel »Tagebuch«"));
    ASSERT_TRUE(main->actions->trigger(s("mnuAutoExpMarked")));
    EXPECT_EQ(lesen(s("Ausgabe.kv")),
              ansi("Korvanel vom 10.02.2023 bis zum 10.06.2024.\r\n\r\n"
                   "@ 01.02.2024, Do: geht´s ~ gut\r\n  eingerückt {datum}\r\n\r\n\r\n"
                   "@ 05.03.2024, Di: Frisch\r\n\r\n"));
    EXPECT_FALSE(vorhanden(s("Marker_Txt.ini"))) << "cleared as the user chose";

    // Into the other diary, texts before and after left empty.
    store::korvanelKuerzel = s("Rei");
    main->KorvanelUmgebung(s("10.03.2024"));
    auto* fenster = new print::Import(main.get());
    fenster->show();
    ASSERT_EQ(fenster->ListeVorschau->count(), 2);
    fenster->kombiTxtZusatz[0]->setCurrentIndex(0);
    fenster->kombiTxtZusatz[1]->setCurrentIndex(0);
    importieren(fenster);
    for (const char* tag : {"2024/20240201", "2024/20240305"}) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(lesen(s(tag) + s(".Rei")), lesen(s(tag) + s(".Txt")));
    }
    EXPECT_FALSE(vorhanden(s("2024/20240306.Rei")));
}

TEST_F(MarkedExport, aFailedExportLeavesFileAndMarkers)
{
    schreiben(s("Ausgabe.kv"), "alte Ausgabe");
    // A day that cannot be read stops the export.
    const QString rohr = pfad(s("2024/20240304.Txt"));
    ASSERT_EQ(::mkfifo(rohr.toLocal8Bit().constData(), 0600), 0);
    schreiben(s("Marker_Txt.ini"), "[Marker]\r\n01.02.2024=1\r\n04.03.2024=1\r\n05.03.2024=1\r\n");
    oeffnen(s("Txt"), s("10.03.2024"));
    const auto vorher = datenordnerInhalt();
    dialogs.expectMsgBox(platform::vbYes, s("Sollen alle markierten Einträge"));
    dialogs.expectMsgBox(platform::vbOK, s("nicht exportiert"));
    ASSERT_TRUE(main->actions->trigger(s("mnuAutoExpMarked")));
    EXPECT_EQ(datenordnerInhalt(), vorher);

    // Declined: nothing happens.
    dialogs.expectMsgBox(platform::vbNo, s("Sollen alle markierten Einträge"));
    ASSERT_TRUE(main->actions->trigger(s("mnuAutoExpMarked")));
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(MarkedExport, withoutMarkedEntriesTheMarkersAreNotOffered)
{
    schreiben(s("Marker_Txt.ini"), "[Marker]\r\n01.01.2020=1\r\n");
    oeffnen(s("Txt"), s("10.03.2024"));
    dialogs.expectMsgBox(platform::vbYes, s("Sollen alle markierten Einträge"));
    dialogs.expectMsgBox(platform::vbOK, s("Korvanel vom 10.02.2023 bis zum 10.06.2024."));
    ASSERT_TRUE(main->actions->trigger(s("mnuAutoExpMarked")));
    EXPECT_EQ(lesen(s("Marker_Txt.ini")), QByteArray("[Marker]\r\n01.01.2020=1\r\n"));
}

TEST_F(MarkedExport, aPasswordIsWarnedAbout)
{
    oeffnen(s("Txt"), s("10.03.2024"));
    store::kennwortSchreiben = s("geheim");
    dialogs.expectMsgBox(platform::vbYes, s("Sollen alle markierten Einträge"));
    dialogs.expectMsgBox(platform::vbCancel, s("nicht verschlüsselt!\r\n\r\nMöchten Sie trotzdem"));
    ASSERT_TRUE(main->actions->trigger(s("mnuAutoExpMarked")));
    EXPECT_FALSE(vorhanden(s("Ausgabe.kv")));
    store::kennwortSchreiben.clear();
}

} // namespace
