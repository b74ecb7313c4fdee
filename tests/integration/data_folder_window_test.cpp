// The data-folder window on real folders: what it lists, its write tests, the report, and the
// move of the data-folder pointer with the restart that follows.
#include "integration_fixture.h"

#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "foundation/reservation.h"
#include "foundation/version.h"
#include "integration/data_folder_window.h"
#include "mainwindow/shutdown.h"
#include "platform/command_line_text.h"
#include "platform/form.h"
#include "platform/path_resolver.h"
#include "support/data_folder.h"
#include "support/fake_program_end.h"
#include "support/fake_random.h"
#include "support/fake_screen.h"
#include "support/recording_print_surface.h"

#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>

using integration::DatenOrdner;

namespace {

class DataFolderWindow : public IntegrationTest {
protected:
    DataFolderWindow()
    {
        resetDiaryState();
        daten.use();
        clock.setNow(rt::dateTimeOf(2024, 3, 5, 12, 0, 0));
        papier.setPrinters({{u8("Laser"), u8("ipp://laser.local"), u8("Generic PCL 6")}});
    }
    ~DataFolderWindow() override
    {
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        foundation::resetReservierung();
        foundation::setAufrufFuerTests(std::nullopt);
        mainwindow::resetBeenden();
        resetDiaryState();
    }

    DatenOrdner* fuellen()
    {
        auto* fenster = new DatenOrdner;
        fenster->TimerReadData_Timer();
        return fenster;
    }
    static QStringList zeilen(const QListWidget* liste)
    {
        QStringList texte;
        for (int i = 0; i < liste->count(); ++i)
            texte.append(liste->item(i)->text());
        return texte;
    }
    QStringList testdateienIn(const QString& ordner) const
    {
        return QDir(ordner).entryList({u8("$*.txt")}, QDir::Files);
    }

    DataFolder daten{folders.temp(), u8("Daten")};
    InstalledFake<FakeRandom> zufall{platform::setRandom, std::vector<double>{0.0}};
    InstalledFake<RecordingPrintSurface> papier{platform::setPrinter};
};

TEST_F(DataFolderWindow, listsTheDiaryFilesAndTheYearFoldersOfTheDataFolder)
{
    for (const char* name : {"Info.Txt", "korvanel.INI", "Debug.txt", "notes.doc", "2021"})
        daten.write(u8(name), "x");
    for (const char* ordner : {"2019", "1499", "2201"})
        folders.temp().makeFolder(u8("Daten/") + u8(ordner));
    DatenOrdner* fenster = fuellen();

    EXPECT_EQ(zeilen(fenster->lstDo[2]),
              (QStringList{u8("Info.Txt"), u8("korvanel.INI"), u8("2019/"), u8("2021/")}));
    EXPECT_EQ(fenster->bezDo[2]->text(), foundation::ordnerDat);
    EXPECT_EQ(fenster->bezDo[2]->toolTip(), foundation::ordnerDat);
    EXPECT_EQ(fenster->befDo[2]->text(), u8("Folgende Ordner/Dateien gefunden..."));
    EXPECT_EQ(fenster->bezDo[0]->text(), foundation::ordnerSub + u8("/Brisol.ini"));
    EXPECT_TRUE(zeilen(fenster->lstDo[0]).contains(u8("Brisol.ini")));
    EXPECT_TRUE(fenster->bezError[0]->text().isEmpty());
    EXPECT_TRUE(fenster->bezError[2]->text().isEmpty());
    EXPECT_TRUE(fenster->Label1->text().startsWith(u8("Das Programm Brisols-Korvanel in der Version ")
                                                   + foundation::versionPunkt + u8("\r\n")));
    EXPECT_TRUE(testdateienIn(foundation::ordnerDat).isEmpty());
}

TEST_F(DataFolderWindow, programFolderNamesOurExecutableAndMarksIt)
{
    const QString programm = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    folders.temp().write(u8("program/") + programm, "ELF");
    folders.temp().write(u8("program/Tipps.Bot"), "x");
    foundation::IniSchreiben(QString(), QString(), u8("OrdnerPrg"), folders.programFolder());
    DatenOrdner* fenster = fuellen();
    EXPECT_EQ(fenster->bezInfo[1]->text(),
              u8("In diesem Ordner befindet sich u. a. die Programm-Datei »") + programm + u8("«:"));
    ASSERT_EQ(fenster->lstDo[1]->selectedItems().size(), 1);
    EXPECT_EQ(fenster->lstDo[1]->selectedItems()[0]->text(), programm);
    EXPECT_TRUE(fenster->bezError[1]->text().isEmpty());

    QFile::remove(folders.temp().file(u8("program/") + programm));
    fenster->TimerReadData_Timer();
    EXPECT_TRUE(fenster->bezInfo[1]->text().endsWith(u8("«: (Datei nicht gefunden!)")));
}

TEST_F(DataFolderWindow, writeTestsTouchNothingThereAndComplainWhereNothingCanBeWritten)
{
    // The name the test would take first is there already: it stays as it is.
    daten.write(u8("$0.txt"), "meins");
    DatenOrdner* fenster = fuellen();
    EXPECT_TRUE(fenster->bezError[2]->text().isEmpty());
    EXPECT_EQ(daten.read(u8("$0.txt")), QByteArray("meins"));
    EXPECT_EQ(testdateienIn(foundation::ordnerDat), QStringList{u8("$0.txt")});

    // A data folder that is a file.
    folders.temp().write(u8("keinOrdner"), "x");
    foundation::ordnerDat = folders.temp().file(u8("keinOrdner"));
    fenster->TimerReadData_Timer();
    EXPECT_EQ(fenster->bezError[2]->text(), u8("Keine Schreibrechte im Daten-Ordner !!!"));
    EXPECT_EQ(folders.temp().read(u8("keinOrdner")), QByteArray("x"));

    // Read-only: the data folder is not written to, so there is nothing to complain about.
    foundation::nurLesen = true;
    foundation::ordnerDat = daten.path();
    const auto vorher = folderContents(daten.path());
    fenster->TimerReadData_Timer();
    EXPECT_TRUE(fenster->bezError[2]->text().isEmpty());
    EXPECT_EQ(folderContents(daten.path()), vorher);
}

TEST_F(DataFolderWindow, reportListsProgramDataThenSettingsUnderFixedWidthHeadings)
{
    daten.write(u8("Info.Txt"), "x");
    DatenOrdner* fenster = fuellen();
    fenster->Frame1[0]->setTitle(QString(90, u'E')); // a caption longer than 79 characters
    const QString bericht = fenster->Bericht();
    const QStringList zeilen = bericht.split(u8("\r\n"));
    QStringList ueberschriften;
    for (const QString& zeile : zeilen) {
        if (zeile.startsWith(u8("--- ")))
            ueberschriften.append(zeile);
    }
    ASSERT_EQ(ueberschriften.size(), 5);
    EXPECT_TRUE(ueberschriften[0].startsWith(u8("--- Programm-Ordner -")));
    EXPECT_TRUE(ueberschriften[1].startsWith(u8("--- Daten-Ordner -")));
    EXPECT_EQ(ueberschriften[2], u8("--- ") + QString(80, u'E'));
    EXPECT_TRUE(ueberschriften[3].startsWith(u8("--- Sonstiges -")));
    EXPECT_TRUE(ueberschriften[4].startsWith(u8("--- Debug -")));
    for (int i : {0, 1, 2, 4})
        EXPECT_EQ(ueberschriften[i].size(), 84) << i;
    EXPECT_EQ(ueberschriften[3].size(), 94);
    EXPECT_TRUE(bericht.contains(u8("Folgende Dateien gefunden:\r\n\r\nInfo.Txt")));

    dialogs.expectMsgBox(platform::vbOK, u8("Bericht wurde in die Zwischenablage kopiert"));
    fenster->mnuBericht_Click(0);
    EXPECT_TRUE(clipboard.text().startsWith(u8("Das Programm Brisols-Korvanel in der Version ")));
}

TEST_F(DataFolderWindow, longReportIsPrintedOnAsManyPagesAsItNeeds)
{
    for (int i = 0; i < 600; ++i)
        daten.write(u8("Info.Sicherungskopie") + QString::number(1000 + i), "x");
    DatenOrdner* fenster = fuellen();
    fenster->mnuBericht_Click(1);
    ASSERT_EQ(papier.documents().size(), 1u);
    const auto& seiten = papier.documents()[0].pages;
    ASSERT_GE(seiten.size(), 3u);
    QString gedruckt;
    for (const auto& seite : seiten)
        gedruckt += seite.strings().join(u' ');
    EXPECT_TRUE(gedruckt.contains(u8("Info.Sicherungskopie1599")));
    EXPECT_TRUE(gedruckt.contains(u8("Sonstiges")));
    EXPECT_TRUE(gedruckt.contains(u8("Debug")));
}

TEST_F(DataFolderWindow, movingThePointerWritesItReleasesTheFolderAndRestartsOnce)
{
    platform::setCommandLine({u8("/OrdnerDat=") + daten.path()});
    foundation::resetOrdner();
    foundation::setProgrammOrdnerFuerTests(folders.programFolder());
    foundation::OrdnerFestlegen();
    foundation::setAufrufFuerTests(QStringList{u8("/opt/korvanel/korvanel")});
    foundation::DateiReservierung(1);
    ASSERT_EQ(foundation::IniLesen(daten.path() + u8("/NetWatch.ini"), u8("UserJetzt_"), u8("User")),
              u8("Anna"));
    InstalledFake<FakeProgramEnd> ende{platform::setProgramEnd};
    DatenOrdner* fenster = fuellen();
    const QString neu = folders.temp().file(u8("Neuer Ort"));

    const QString zeigerVorher = foundation::IniLesen(QString(), QString(), u8("OrdnerDat"), u8("<fehlt>"));
    // Cancel at either step changes nothing.
    for (int schritt = 0; schritt < 2; ++schritt) {
        SCOPED_TRACE(schritt);
        if (schritt == 0) {
            dialogs.expectMsgBox(platform::vbCancel, u8("WENN SIE DIESEN ZEIGER VERSTELLEN"));
        } else {
            dialogs.expectMsgBox(platform::vbOK, u8("Möchten Sie fortfahren?"));
            dialogs.expectFolder(std::nullopt, u8("Daten-Ordner-Zeiger"));
        }
        fenster->befDatenOrdnerVerlegen_Click();
        EXPECT_EQ(foundation::IniLesen(QString(), QString(), u8("OrdnerDat"), u8("<fehlt>")),
                  zeigerVorher);
        EXPECT_TRUE(processes.started().empty());
        EXPECT_EQ(ende.endCalls(), 0);
    }

    dialogs.expectMsgBox(platform::vbOK, u8("Möchten Sie fortfahren?"));
    dialogs.expectFolder(neu, u8("Daten-Ordner-Zeiger"));
    dialogs.expectMsgBox(platform::vbOK, u8("Das Programm wird jetzt neu gestartet."));
    EXPECT_THROW(fenster->befDatenOrdnerVerlegen_Click(), ProgramEndedException);
    EXPECT_EQ(foundation::IniLesen(QString(), QString(), u8("OrdnerDat"), u8("<fehlt>")), neu);
    EXPECT_EQ(foundation::IniLesen(daten.path() + u8("/NetWatch.ini"), u8("UserJetzt_"), u8("User")),
              QString());
    ASSERT_EQ(processes.started().size(), 1u);
    EXPECT_EQ(processes.started()[0].value(0), u8("/bin/sh"));
    EXPECT_TRUE(processes.started()[0].value(1).endsWith(u8("/x-Setup_Job.sh")));
    EXPECT_EQ(ende.endCalls(), 1);
    EXPECT_TRUE(mainwindow::beendenLaeuft()) << "no second shutdown after the restart job";
}

} // namespace

// The window opens with all three sections and a few lines of each list in view where the
// screen has the room, and never larger than the screen where it has not: then it scrolls.
TEST_F(DataFolderWindow, opensWithEverySectionInViewAsFarAsTheScreenAllows)
{
    struct Fall {
        const char* name;
        QSize bildschirm;
        bool allesSichtbar;
    };
    const Fall faelle[] = {
        {"large screen", QSize(1600, 1200), true},
        {"small screen", QSize(640, 400), false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        InstalledFake<FakeScreen> bildschirm{platform::setScreen};
        bildschirm.setPixels(fall.bildschirm.width(), fall.bildschirm.height());
        DatenOrdner* fenster = fuellen();
        fenster->show();
        QCoreApplication::processEvents();

        EXPECT_LE(fenster->height(), fall.bildschirm.height());
        const QWidget* inhalt = fenster->Flaeche->widget();
        EXPECT_EQ(inhalt->height() <= fenster->Flaeche->viewport()->height(), fall.allesSichtbar);
        for (const QListWidget* liste : fenster->lstDo)
            EXPECT_GE(liste->height(), liste->fontMetrics().height() * 5);
        fenster->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
