// The bookmarks window on a real bookmark file: reading, sorting and merging, the exact bytes
// written plain and enciphered, the enabled states, going to a day, printing, read-only mode and
// a file that cannot be read.
#include "views_fixture.h"

#include "commands/window_openers.h"
#include "platform/actions.h"
#include "runtime/codec.h"
#include "store/cipher.h"
#include "views/bookmarks.h"
#include "views/selected_line.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using views::Lesezeichen;

namespace {

const QString datei = QStringLiteral("LeseZeic.Txt");

class Bookmarks : public ViewsTest {
protected:
    Bookmarks()
    {
        uhr.setNow(rt::dateTimeOf(2024, 5, 15, 10, 0));
        main.days[u8("15.05.2024")] = u8("Heute  war\r\nes   schön ");
        zeigeTag(u8("15.05.2024"));
        foundation::IniSchreiben({}, {}, u8("Lesezeichen alphabetisch"), u8("0"));
    }

    // The window as the main menu opens it.
    static Lesezeichen* oeffnen()
    {
        auto* fenster = new Lesezeichen;
        fenster->show();
        return fenster;
    }
    static void erstellen(Lesezeichen* fenster, const char* datum, const char* hinweis, int index = 0)
    {
        fenster->txtDatum->setText(u8(datum));
        fenster->txtBem->setText(u8(hinweis));
        fenster->befSetzen[index]->setEnabled(true);
        fenster->befSetzen[index]->click();
    }
    static void waehlen(Lesezeichen* fenster, const char* anfang)
    {
        for (int i = 0; i < fenster->Liste->count(); ++i) {
            if (fenster->Liste->item(i)->text().startsWith(u8(anfang))) {
                fenster->Liste->setCurrentRow(i);
                return;
            }
        }
        ADD_FAILURE() << "no bookmark " << anfang;
    }
    QString gewaehlt(const Lesezeichen* fenster) const
    {
        const QListWidgetItem* zeile = views::gewaehlteZeile(fenster->Liste);
        return zeile != nullptr ? zeile->text() : QString();
    }
    static QAction* loeschen(const Lesezeichen* fenster)
    {
        return fenster->actions->action(u8("mnuLesezeichenLöschen"));
    }
};

const QByteArray vierZeilen = "03.05.2024 Hafen\r\n"
                              "Das ist eine Kopfzeile\r\n"
                              "01.05.2024  Zwei  Blanks\r\n"
                              "03.05.2024 Neuer\r\n";

TEST_F(Bookmarks, readsDatedLines_mergesTheSameDay_andWritesExactlyTheList)
{
    schreiben(datei, vierZeilen);
    Lesezeichen* fenster = oeffnen();
    EXPECT_EQ(fenster->windowTitle(), u8("Lesezeichen"));
    EXPECT_EQ(zeilen(fenster->Liste),
              (QStringList{u8("03.05.2024 Neuer"), u8("01.05.2024 Zwei Blanks")}));
    EXPECT_EQ(gewaehlt(fenster), u8("03.05.2024 Neuer")) << "the last one on or before the day";
    EXPECT_EQ(fenster->befGeheZu->text(), u8("&Gehe zum\n\n03.05.2024"));
    EXPECT_EQ(loeschen(fenster)->text(), u8("&Lösche Lesezeichen vom 03.05.2024"));
    // Date and note are preset from the main window, the note on one line.
    EXPECT_EQ(fenster->txtDatum->text(), u8("15.05.2024"));
    EXPECT_EQ(fenster->txtBem->text(), u8("Heute war es  schön"));
    EXPECT_EQ(fenster->txtBem->selStart(), 0) << "its beginning in view";
    EXPECT_EQ(lesen(datei), vierZeilen) << "opening writes nothing";

    erstellen(fenster, "2.5.2024", " Mitte ");
    EXPECT_EQ(lesen(datei), QByteArray("03.05.2024 Neuer\r\n02.05.2024 Mitte\r\n"
                                       "01.05.2024 Zwei Blanks\r\n"));
    EXPECT_EQ(gewaehlt(fenster), u8("02.05.2024 Mitte"));

    // Another bookmark of a day that has one: sorted by date, the new one stays.
    erstellen(fenster, "03.05.2024", "Noch neuer");
    EXPECT_EQ(zeilen(fenster->Liste),
              (QStringList{u8("03.05.2024 Noch neuer"), u8("02.05.2024 Mitte"),
                           u8("01.05.2024 Zwei Blanks")}));
    // A changed date that meets another bookmark's day: one of the two goes.
    waehlen(fenster, "01.05.2024");
    erstellen(fenster, "02.05.2024", "Umgezogen", 1);
    EXPECT_EQ(zeilen(fenster->Liste),
              (QStringList{u8("03.05.2024 Noch neuer"), u8("02.05.2024 Umgezogen")}));
    EXPECT_EQ(lesen(datei), QByteArray("03.05.2024 Noch neuer\r\n02.05.2024 Umgezogen\r\n"));
}

TEST_F(Bookmarks, openFromTheMainMenu_freshEachTime_andGoToADay)
{
    schreiben(datei, vierZeilen);
    commands::resetFensterOeffner();
    commands::alleFensterAnschliessen();
    QPointer<Lesezeichen> erste;
    // The first opening goes to a day; the second reads the file again and leaves by Escape.
    for (int oeffnung = 1; oeffnung <= 2; ++oeffnung) {
        SCOPED_TRACE(oeffnung);
        bool gezeigt = false;
        sobaldOffen<Lesezeichen>([&](Lesezeichen* fenster) {
            gezeigt = true;
            EXPECT_TRUE(fenster->isModal());
            EXPECT_EQ(fenster->parentWidget(), main.widget()) << "owned by the main window";
            EXPECT_NE(fenster, erste.data()) << "a fresh load each time";
            erste = fenster;
            EXPECT_EQ(main.panelText(u8("Status")), u8("Lesezeichen..."));
            EXPECT_EQ(zeilen(fenster->Liste),
                      (QStringList{u8("03.05.2024 Neuer"), u8("01.05.2024 Zwei Blanks")}));
            if (oeffnung == 1) {
                waehlen(fenster, "01.05.2024");
                fenster->befGeheZu->click();
            } else {
                QTest::keyClick(fenster, Qt::Key_Escape);
            }
        });
        EXPECT_TRUE(commands::fensterOeffnen(u8("mnuLesezeichen")));
        EXPECT_TRUE(gezeigt);
        EXPECT_EQ(platform::findForm<Lesezeichen>(), nullptr) << "unloaded when it closed";
        EXPECT_EQ(main.dateCaption(), u8("01.05.2024"));
        EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));
    }
    EXPECT_EQ(lesen(datei), vierZeilen) << "going and leaving write nothing";
    EXPECT_TRUE(fehler.isEmpty()) << fehler.join(u'\n').toStdString();
    commands::resetFensterOeffner();
}

TEST_F(Bookmarks, alphabeticalOrderKeepsBookmarksOfOneDayUnlessTheyMeet)
{
    schreiben(datei, "01.05.2024 Zebra\r\n01.05.2024 Apfel\r\n02.05.2024 Birne\r\n");
    foundation::IniSchreiben({}, {}, u8("Lesezeichen alphabetisch"), u8("1"));
    Lesezeichen* fenster = oeffnen();
    EXPECT_TRUE(fenster->CheckSortABC->isChecked());
    EXPECT_EQ(zeilen(fenster->Liste), (QStringList{u8("01.05.2024 Apfel"), u8("02.05.2024 Birne"),
                                                   u8("01.05.2024 Zebra")}));
    // By date the two of 1 May meet, and the later of them stays.
    fenster->CheckSortABC->click();
    EXPECT_EQ(zeilen(fenster->Liste),
              (QStringList{u8("02.05.2024 Birne"), u8("01.05.2024 Zebra")}));
    EXPECT_EQ(einstellung(u8("Lesezeichen alphabetisch")), u8("1"))
        << "the order is stored only when going to a day";
    fenster->befGeheZu_Click();
    EXPECT_EQ(einstellung(u8("Lesezeichen alphabetisch")), u8("0"));
}

TEST_F(Bookmarks, everyLineEndIsALineEnd_andOnlyADateWithANoteIsABookmark)
{
    struct Fall {
        const char* name;
        QByteArray inhalt;
        QStringList liste;
    };
    const Fall faelle[] = {
        {"LF only", "01.05.2024 Eins\n02.05.2024 Zwei\n", {u8("02.05.2024 Zwei"), u8("01.05.2024 Eins")}},
        {"CR only", "01.05.2024 Eins\r02.05.2024 Zwei", {u8("02.05.2024 Zwei"), u8("01.05.2024 Eins")}},
        {"mixed, blanks around", "  01.05.2024 Eins  \r\n\n02.05.2024   Zwei\r",
         {u8("02.05.2024  Zwei"), u8("01.05.2024 Eins")}},
        {"a date and one character; a date alone", "01.05.2024x\r\n02.05.2024\r\n02.05.2024 \r\n",
         {u8("01.05.2024x")}},
        {"no date", "Kopf\r\n32.05.2024 Falsch\r\n", {}},
        {"Windows-1252", "01.05.2024 Gr\xFC\xDF" "e\r\n", {u8("01.05.2024 Grüße")}},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" "01.05.2024 \xE2\x82\xAC\r\n",
         {u8("01.05.2024 €")}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        schreiben(datei, fall.inhalt);
        Lesezeichen* fenster = oeffnen();
        EXPECT_EQ(zeilen(fenster->Liste), fall.liste);
        EXPECT_TRUE(fenster->schreibbar());
        fenster->unload();
    }
}

TEST_F(Bookmarks, writePassword_enciphersTheFileWithoutPassword_andItOpensWithoutOne)
{
    schreiben(datei, vierZeilen);
    store::kennwortSchreiben = u8("geheim");
    store::kennwortLesen = u8("geheim");
    Lesezeichen* fenster = oeffnen();
    erstellen(fenster, "2.5.2024", " Mitte ");
    const QByteArray klar = "03.05.2024 Neuer\r\n02.05.2024 Mitte\r\n01.05.2024 Zwei Blanks\r\n";
    EXPECT_EQ(lesen(datei), store::verschluesselteForm(QString::fromLatin1(klar)));
    EXPECT_FALSE(lesen(datei).contains("geheim"));

    waehlen(fenster, "02.05.2024");
    erstellen(fenster, "02.05.2024", "Mittag", 1);
    EXPECT_EQ(lesen(datei).size(), 86);
    EXPECT_TRUE(lesen(datei).startsWith(store::verschluesseltMarkeBytes()));
    fenster->unload();

    store::kennwortLesen.clear();
    store::kennwortSchreiben.clear();
    fenster = oeffnen();
    EXPECT_EQ(zeilen(fenster->Liste),
              (QStringList{u8("03.05.2024 Neuer"), u8("02.05.2024 Mittag"),
                           u8("01.05.2024 Zwei Blanks")}));
    // Saved again without a password: the plain form.
    waehlen(fenster, "01.05.2024");
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuLesezeichenLöschen")));
    EXPECT_EQ(lesen(datei), QByteArray("03.05.2024 Neuer\r\n02.05.2024 Mittag\r\n"));

    // An emptied list is an empty file, or the marker alone.
    store::kennwortSchreiben = u8("geheim");
    for (int i = 0; i < 2; ++i) {
        fenster->Liste->setCurrentRow(0);
        fenster->mnuLesezeichenLöschen_Click();
    }
    EXPECT_EQ(lesen(datei), store::verschluesseltMarkeBytes());
    EXPECT_EQ(lesen(datei).size(), 25);
}

TEST_F(Bookmarks, deleteAsksNothing_andTheSelectionStaysInPlace)
{
    schreiben(datei, "04.05.2024 D\r\n03.05.2024 C\r\n02.05.2024 B\r\n01.05.2024 A\r\n");
    Lesezeichen* fenster = oeffnen();
    waehlen(fenster, "03.05.2024");
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuLesezeichenLöschen")));
    EXPECT_EQ(gewaehlt(fenster), u8("02.05.2024 B")) << "the same position";
    EXPECT_EQ(lesen(datei), QByteArray("04.05.2024 D\r\n02.05.2024 B\r\n01.05.2024 A\r\n"));
    waehlen(fenster, "01.05.2024");
    fenster->mnuLesezeichenLöschen_Click();
    EXPECT_EQ(gewaehlt(fenster), u8("02.05.2024 B")) << "the last one";
    fenster->mnuLesezeichenLöschen_Click();
    fenster->mnuLesezeichenLöschen_Click();
    EXPECT_EQ(fenster->Liste->count(), 0);
    EXPECT_EQ(lesen(datei), QByteArray()) << "the file stays, empty";
    EXPECT_TRUE(dialogs.calls().empty());

    // An empty list: the enabled states and "Zurück".
    fenster->txtBem->clear();
    fenster->Zeit_Timer();
    EXPECT_EQ(fenster->Zeit->interval(), 333);
    EXPECT_TRUE(fenster->Zeit->isActive());
    EXPECT_FALSE(fenster->actions->isEnabled(u8("mnuLesezeichenLöschen")));
    EXPECT_FALSE(fenster->befSetzen[1]->isEnabled());
    EXPECT_FALSE(fenster->befSetzen[0]->isEnabled());
    EXPECT_EQ(fenster->befGeheZu->text(), u8("&Zurück"));
    fenster->txtBem->setText(u8("x"));
    fenster->Zeit_Timer();
    EXPECT_TRUE(fenster->befSetzen[0]->isEnabled());
    fenster->befSetzen[0]->click();
    fenster->Zeit_Timer();
    EXPECT_TRUE(fenster->actions->isEnabled(u8("mnuLesezeichenLöschen")));
    EXPECT_TRUE(fenster->befSetzen[1]->isEnabled());
}

TEST_F(Bookmarks, goToMovesTheMainWindowAndCloses_anEmptyListOnlyCloses)
{
    schreiben(datei, "03.05.2024 Hafen\r\n01.05.2024 Anfang\r\n");
    Lesezeichen* fenster = oeffnen();
    waehlen(fenster, "01.05.2024");
    fenster->CheckSortABC->setChecked(true);
    emit fenster->Liste->itemDoubleClicked(fenster->Liste->item(1));
    EXPECT_EQ(main.dateCaption(), u8("01.05.2024"));
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_EQ(einstellung(u8("Lesezeichen alphabetisch")), u8("1"));
    fenster->unload();

    QFile::remove(datenordner.path() + u8("/") + datei);
    fenster = oeffnen();
    EXPECT_EQ(fenster->befGeheZu->text(), u8("&Zurück"));
    fenster->befGeheZu->click();
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_EQ(main.dateCaption(), u8("01.05.2024"));
    EXPECT_FALSE(vorhanden(datei));
}

TEST_F(Bookmarks, beforeEveryBookmark_theFirstStaysSelected)
{
    schreiben(datei, "03.05.2024 Hafen\r\n01.05.2024 Anfang\r\n");
    zeigeTag(u8("01.01.2024"));
    Lesezeichen* fenster = oeffnen();
    EXPECT_EQ(gewaehlt(fenster), u8("03.05.2024 Hafen"));
}

TEST_F(Bookmarks, wrongDateOrMissingNote_isToldAndChangesNothing)
{
    schreiben(datei, vierZeilen);
    Lesezeichen* fenster = oeffnen();
    dialogs.expectMsgBox(platform::vbOK, u8("31.02.2024 ist kein gültiges Datum."))
        .expectMsgBox(platform::vbOK, u8("Sie haben noch keinen Hinweistext eingegeben."));
    erstellen(fenster, "31.02.2024", "Notiz");
    erstellen(fenster, "01.02.2024", "   ");
    EXPECT_EQ(dialogs.calls().at(0).icon, platform::vbExclamation);
    EXPECT_EQ(sound.beeps().size(), 2u);
    EXPECT_EQ(lesen(datei), vierZeilen);
    EXPECT_EQ(fenster->Liste->count(), 2);
}

TEST_F(Bookmarks, readOnly_locksTheFields_writesNothing_butGoesAndPrints)
{
    schreiben(datei, vierZeilen);
    foundation::nurLesen = true;
    const auto vorher = datenordnerInhalt();
    Lesezeichen* fenster = oeffnen();
    EXPECT_FALSE(fenster->schreibbar());
    EXPECT_TRUE(fenster->txtDatum->isReadOnly());
    EXPECT_TRUE(fenster->txtBem->isReadOnly());
    fenster->Zeit_Timer();
    EXPECT_FALSE(fenster->actions->trigger(u8("mnuLesezeichenLöschen")));
    EXPECT_FALSE(fenster->befSetzen[0]->isEnabled());
    EXPECT_FALSE(fenster->befSetzen[1]->isEnabled());
    fenster->befSetzen_Click(0);
    fenster->mnuLesezeichenLöschen_Click();
    EXPECT_EQ(datenordnerInhalt(), vorher);

    papier.setPrinters({{u8("Laser"), u8("ipp://laser.local"), u8("Generic PCL 6")}});
    mitDruckeinstellungen([](print::PrinterSet* w) { w->befOk->click(); },
                          [fenster] { EXPECT_TRUE(fenster->actions->trigger(u8("mnuLesezeichenDrucken"))); });
    EXPECT_EQ(print::druckJob, u8("Korvanel_Lesezeichen"));
    ASSERT_EQ(papier.documents().size(), 1u);
    EXPECT_EQ(papier.documents()[0].pages.at(0).texts.at(1).text, u8("Lesezeichen, Seite 1"));
    EXPECT_TRUE(papier.documents()[0].pages.at(0).strings().contains(u8("01.05.2024 Zwei Blanks")));

    waehlen(fenster, "01.05.2024");
    fenster->befGeheZu->click();
    EXPECT_EQ(main.dateCaption(), u8("01.05.2024"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(Bookmarks, fileThatCannotBeRead_isToldOnce_andNeverWrittenOver)
{
    struct Fall {
        const char* name;
        std::function<void(const QString& pfad)> anlegen;
    };
    const Fall faelle[] = {
        {"a folder", [](const QString& pfad) { QDir().mkpath(pfad); }},
        {"a pipe", [](const QString& pfad) { ::mkfifo(QFile::encodeName(pfad).constData(), 0600); }},
        {"a link to nowhere",
         [](const QString& pfad) { QFile::link(pfad + u8(".fehlt"), pfad); }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const QString pfad = datenordner.path() + u8("/") + datei;
        fall.anlegen(pfad);
        fehler.clear();
        Lesezeichen* fenster = oeffnen();
        ASSERT_EQ(fehler.size(), 1);
        EXPECT_TRUE(fehler[0].contains(u8("Es ist ein Fehler beim Lesen der Lesezeichen aufgetreten.")))
            << fehler[0].toStdString();
        EXPECT_FALSE(fenster->schreibbar());
        EXPECT_TRUE(fenster->txtBem->isReadOnly());
        fenster->Zeit_Timer();
        EXPECT_FALSE(fenster->befSetzen[0]->isEnabled());
        fenster->befSetzen_Click(0);
        EXPECT_FALSE(QFileInfo(pfad).isFile()) << "nothing written in its place";
        fenster->unload();
        QDir(pfad).removeRecursively();
        QFile::remove(pfad);
    }
}

TEST_F(Bookmarks, saveThatFails_isTold)
{
    schreiben(datei, vierZeilen);
    Lesezeichen* fenster = oeffnen();
    ::chmod(QFile::encodeName(datenordner.path() + u8("/") + datei).constData(), 0444);
    dialogs.expectMsgBox(platform::vbOK, u8("Die Lesezeichen konnten nicht gespeichert werden"));
    erstellen(fenster, "2.5.2024", "Mitte");
    EXPECT_EQ(lesen(datei), vierZeilen);
}

TEST_F(Bookmarks, escapeAndAbbrechenCloseWithoutSaving)
{
    schreiben(datei, vierZeilen);
    Lesezeichen* fenster = oeffnen();
    fenster->txtBem->setText(u8("nicht gespeichert"));
    QTest::keyClick(fenster->Liste, Qt::Key_Escape);
    EXPECT_FALSE(fenster->isVisible());
    fenster->show();
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuAbbrechen")));
    EXPECT_FALSE(fenster->isVisible());
    fenster->show();
    fenster->close();
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_FALSE(fenster->isUnloaded()) << "the opener unloads it";
    EXPECT_EQ(lesen(datei), vierZeilen);
    EXPECT_EQ(main.dateCaption(), u8("15.05.2024"));
}

} // namespace
