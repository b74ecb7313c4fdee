#include "views_fixture.h"

#include "commands/window_openers.h"
#include "foundation/read_only.h"
#include "platform/text_box.h"
#include "views/day_info_window.h"
#include "support/fake_processes.h"

#include <QDateTime>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using views::Tagesinfos;

namespace {

class DayInfo : public ViewsTest {
protected:
    DayInfo()
    {
        uhr.setNow(rt::dateTimeOf(2024, 5, 15, 10, 0, 0));
        zeigen(u8("01.01.2000"));
    }
    ~DayInfo() override { commands::resetFensterOeffner(); }

    // The main window shows the day (its day file named as the main window names it).
    void zeigen(const QString& tag)
    {
        main.setDateCaption(tag);
        store::aktDatum = tag;
        store::aktTagesdatei = store::DatumZuTagesnummer(tag) + u8(".TXT");
    }

    Tagesinfos* oeffnen()
    {
        auto* fenster = new Tagesinfos;
        fenster->show();
        return fenster;
    }
    static QString text(const Tagesinfos* fenster) { return fenster->Text->text(); }

    InstalledFake<FakeProcesses> programme{platform::setProcesses};
};

TEST_F(DayInfo, theCalendarViewOfADay)
{
    Tagesinfos* fenster = oeffnen();
    EXPECT_TRUE(fenster->optInfTyp[0]->isChecked());
    EXPECT_TRUE(text(fenster).startsWith(
        u8("Samstag\r\n1. Januar 2000\r\n\r\n52. Woche\r\nDer 1. Tag im Jahr 2000\r\n"
          "Julianische Tagesnummer (12h): 2451545\r\n\r\nAktuell ist die Mitteleuropäische "
          "Zeit (MEZ)\r\n2000 ist ein Schaltjahr mit 366 Tagen\r\n\r\nMondalter: ")))
        << text(fenster).toStdString();
    EXPECT_TRUE(text(fenster).contains(u8("nehmend, Terminator bei ca. ")));
    EXPECT_FALSE(text(fenster).contains(u8("Sonne:")));
    EXPECT_EQ(fenster->windowTitle(), u8("Tagesinformationen zum 01.01.2000"));
    EXPECT_EQ(ini("Korvanel", "LastInfTyp"), u8("0"));
    EXPECT_FALSE(fenster->befDifferenzTxt->isEnabled());
    EXPECT_FALSE(fenster->bildMond->pixmap().isNull());
    EXPECT_TRUE(fenster->Text->locked());
    fenster->unload();

    // A holiday, the sun at a place, the day's astronomical notes, a common year in summer time.
    schreiben(u8("Feiertag.dci"), "[Zyklisch]\r\n01.07=Sommeranfang~\r\n");
    schreiben(u8("Astro.dci"), "[Allgemein]\r\nTextVor=\r\nTextNach=\r\n01.07=Erdferne\r\n");
    foundation::IniSchreiben({}, u8("Zindor"), u8("NordBreite"), u8("53.33"));
    zeigen(u8("01.07.2023"));
    fenster = oeffnen();
    const QString t = text(fenster);
    EXPECT_TRUE(t.contains(u8("Julianische Tagesnummer (12h): 2460127\r\n\r\nSommeranfang\r\n\r\n"
                             "Aktuell ist die Mitteleuropäische Sommerzeit (MESZ)\r\n2023 ist "
                             "ein Gemeinjahr mit 365 Tagen\r\n\r\nSonne:\r\n")))
        << t.toStdString();
    EXPECT_TRUE(t.contains(u8(" Sonnenaufgang\r\n"))) << t.toStdString();
    EXPECT_TRUE(t.contains(u8(" Kulmination (MESZ)\r\n\r\nMondalter: "))) << t.toStdString();
    EXPECT_TRUE(t.endsWith(u8("Erdferne\r\n\r\n"))) << t.toStdString();
    EXPECT_TRUE(t.startsWith(u8("Samstag\r\n1. Juli 2023\r\n\r\n26. Woche\r\nDer 182. Tag im Jahr")));
}

TEST_F(DayInfo, theDistanceViewPutsTheRememberedDatesIn)
{
    schreiben(u8("differenz.TXT"), "Urlaub {11.01.2000} Ende\r\nGeburt {1.1.1990}");
    foundation::IniSchreiben({}, {}, u8("LastInfTyp"), u8("4")); // 4 Mod 3: the distance view
    Tagesinfos* fenster = oeffnen();
    EXPECT_TRUE(fenster->optInfTyp[1]->isChecked());
    EXPECT_EQ(text(fenster),
              u8("Vor 24,4 Jahren\r\n\r\nUrlaub -10 Tagen Ende\r\nGeburt 10,0 Jahren\r\n\r\n"));
    EXPECT_TRUE(fenster->befDifferenzTxt->isEnabled());
    EXPECT_EQ(ini("Korvanel", "LastInfTyp"), u8("1"));

    struct Fall {
        const char* tag;
        const char* anfang;
    };
    for (const Fall& fall : {Fall{"15.05.2024", "Heute\r\n"}, Fall{"14.05.2024", "Gestern\r\n"},
                             Fall{"16.05.2024", "Morgen\r\n"}, Fall{"18.05.2024", "In 3 Tagen\r\n"},
                             Fall{"12.05.2024", "Vor 3 Tagen\r\n"}}) {
        SCOPED_TRACE(fall.tag);
        zeigen(u8(fall.tag));
        fenster->optInfTyp_Click(1);
        EXPECT_TRUE(text(fenster).startsWith(u8(fall.anfang))) << text(fenster).toStdString();
    }

    // Without the file only the distance is shown.
    QFile::remove(datenordner.path() + u8("/differenz.TXT"));
    fenster->optInfTyp_Click(1);
    EXPECT_EQ(text(fenster), u8("Vor 3 Tagen\r\n\r\n"));
}

TEST_F(DayInfo, eachBracePairsWithTheNextClosingBraceAndInsertedTextStays)
{
    const rt::VbDate tag = rt::DateSerial(2000, 1, 1);
    struct Fall {
        const char* text;
        const char* ergebnis;
    };
    const Fall faelle[] = {
        {"Urlaub {11.01.2000} Ende", "Urlaub -10 Tagen Ende"},
        {"{01.01.2000}", "0 Tagen"},
        {"Geburt {1.1.1990}", "Geburt 10,0 Jahren"},
        {"{11.01.2000}{12.01.2000}", "-10 Tagen-11 Tagen"},
        {"{kein Datum} {11.01.2000}", "{kein Datum} -10 Tagen"},
        {"{abc {11.01.2000}", "{abc -10 Tagen"},
        {"{{11.01.2000}}", "{-10 Tagen}"},
        {"} vorher {11.01.2000} und } danach", "} vorher -10 Tagen und } danach"},
        {"offen {11.01.2000", "offen {11.01.2000"},
        {"leer {}", "leer {}"},
        {"", ""},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.text);
        EXPECT_EQ(views::DifferenzenEinsetzen(u8(fall.text), tag), u8(fall.ergebnis));
    }
}

TEST_F(DayInfo, aRememberedDatesFileThatIsNoListIsNotRead)
{
    const QString pfad = datenordner.path() + u8("/Differenz.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(pfad).constData(), 0600), 0);
    foundation::IniSchreiben({}, {}, u8("LastInfTyp"), u8("1"));
    Tagesinfos* fenster = oeffnen(); // a pipe would block a read for ever
    EXPECT_EQ(text(fenster), u8("Vor 24,4 Jahren\r\n\r\nDifferenz.txt wird nicht gelesen: Es ist "
                               "keine gewöhnliche Datei.\r\n\r\n"));
    QFile::remove(pfad);

    schreiben(u8("Differenz.txt"), QByteArray(1024 * 1024 + 1, 'x'));
    fenster->optInfTyp_Click(1);
    EXPECT_TRUE(text(fenster).endsWith(u8("Die Datei ist größer als 1 MB.\r\n\r\n")));
}

TEST_F(DayInfo, theEntryViewCountsTheEditorsCharactersAndAgesTheDayFile)
{
    foundation::IniSchreiben({}, {}, u8("LastInfTyp"), u8("2"));
    Tagesinfos* fenster = oeffnen();
    EXPECT_EQ(text(fenster), u8("Der aktuelle Eintrag umfasst keine Zeichen"));

    zeigen(u8("12.05.2024"));
    main.setText(u8("Zeile 1\r\nZeile 2"));
    schreiben(u8("2024/20240512.TXT"), "Zeile 1\r\nZeile 2");
    QFile datei(datenordner.path() + u8("/2024/20240512.TXT"));
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    ASSERT_TRUE(datei.setFileTime(QDateTime(QDate(2024, 5, 12), QTime(10, 0)),
                                  QFileDevice::FileModificationTime));
    datei.close();
    fenster->optInfTyp_Click(2);
    EXPECT_EQ(text(fenster), u8("Der aktuelle Eintrag umfasst 16 Zeichen und\r\nwurde zuletzt am "
                               "12.05.2024 10:00 geändert,\r\ndas war vor 3,0 Tagen.\r\n"));
    EXPECT_EQ(fenster->windowTitle(), u8("Tagesinformationen zum 12.05.2024"));
    EXPECT_FALSE(fenster->bildMond->isVisible());
}

// "&Zeitdifferenz" and "&Zurück" share Alt+Z: reaching an option by its key chooses it.
TEST_F(DayInfo, anOptionReachedByItsKeyIsChosen)
{
    Tagesinfos* fenster = oeffnen();
    const auto fokus = [](QWidget* option, Qt::FocusReason grund) {
        QFocusEvent ein(QEvent::FocusIn, grund);
        QCoreApplication::sendEvent(option, &ein);
    };
    fokus(fenster->optInfTyp[2], Qt::TabFocusReason);
    EXPECT_TRUE(fenster->optInfTyp[0]->isChecked()) << "focus alone chooses nothing";
    fokus(fenster->optInfTyp[1], Qt::ShortcutFocusReason);
    EXPECT_TRUE(fenster->optInfTyp[1]->isChecked());
    EXPECT_TRUE(text(fenster).startsWith(u8("Vor 24,4 Jahren")));
}

TEST_F(DayInfo, theLastViewIsRememberedWhateverWasStored)
{
    struct Fall {
        const char* gespeichert;
        int ansicht;
    };
    for (const Fall& fall : {Fall{"0", 0}, Fall{"2", 2}, Fall{"4", 1}, Fall{"-1", 2},
                             Fall{"abc", 0}, Fall{"1.6", 2}}) {
        SCOPED_TRACE(fall.gespeichert);
        foundation::IniSchreiben({}, {}, u8("LastInfTyp"), u8(fall.gespeichert));
        Tagesinfos* fenster = oeffnen();
        EXPECT_TRUE(fenster->optInfTyp[static_cast<std::size_t>(fall.ansicht)]->isChecked());
        EXPECT_EQ(ini("Korvanel", "LastInfTyp"), QString::number(fall.ansicht));
        fenster->optInfTyp[0]->click();
        EXPECT_EQ(ini("Korvanel", "LastInfTyp"), u8("0"));
        fenster->unload();
    }
}

TEST_F(DayInfo, theRememberedDatesOpenInTheTextEditorAndAMissingFileIsMadeFirst)
{
    foundation::IniSchreiben({}, {}, u8("LastInfTyp"), u8("1"));
    Tagesinfos* fenster = oeffnen();
    const QString pfad = datenordner.path() + u8("/Differenz.txt");

    // Read-only: nothing is made, the user is told.
    foundation::nurLesen = true;
    dialogs.expectMsgBox(platform::vbOK, u8("im Nur-Lesen-Modus wird sie nicht angelegt"));
    fenster->befDifferenzTxt->click();
    EXPECT_FALSE(vorhanden(u8("Differenz.txt")));
    EXPECT_TRUE(programme.started().empty());

    foundation::nurLesen = false;
    fenster->befDifferenzTxt->click();
    EXPECT_TRUE(vorhanden(u8("Differenz.txt")));
    EXPECT_EQ(lesen(u8("Differenz.txt")), QByteArray());
    ASSERT_EQ(programme.started().size(), 1u);
    EXPECT_EQ(programme.started()[0], (QStringList{u8("xdg-open"), pfad}));

    // An existing file in another spelling is opened as it is.
    QFile::remove(pfad);
    schreiben(u8("DIFFERENZ.TXT"), "Urlaub {11.01.2000}");
    fenster->befDifferenzTxt->click();
    EXPECT_EQ(programme.started().back(), (QStringList{u8("xdg-open"), datenordner.path() + u8("/DIFFERENZ.TXT")}));
    EXPECT_FALSE(vorhanden(u8("Differenz.txt")) && QFile::exists(pfad));
    EXPECT_EQ(lesen(u8("DIFFERENZ.TXT")), QByteArray("Urlaub {11.01.2000}"));
}

TEST_F(DayInfo, escAndTheCloseBoxGoBackAsZurueckDoes)
{
    for (const char* weg : {"Zurück", "Esc", "Schließfeld"}) {
        SCOPED_TRACE(weg);
        Tagesinfos* fenster = oeffnen();
        EXPECT_EQ(fenster->befAbbrechen->text(), u8("&Zurück"));
        if (weg == std::string("Zurück"))
            fenster->befAbbrechen->click();
        else if (weg == std::string("Esc"))
            QTest::keyClick(fenster, Qt::Key_Escape);
        else
            fenster->close();
        EXPECT_FALSE(fenster->isVisible());
        EXPECT_FALSE(fenster->isUnloaded()) << "the opener reads it, then unloads it";
        fenster->unload();
    }
}

// The whole way: the menu's row opens the real window, the user selects a line, goes back, and
// the line is in the entry at the caret.
TEST_F(DayInfo, aLineSelectedInTheWindowGoesIntoTheEntry)
{
    commands::alleFensterAnschliessen();
    main.setText(u8("Heute: "));
    main.setSelStart(7);
    QTimer::singleShot(0, qApp, [] {
        auto* fenster = platform::findForm<Tagesinfos>();
        ASSERT_NE(fenster, nullptr);
        const int anfang = static_cast<int>(fenster->Text->text().indexOf(u8("52. Woche")));
        fenster->Text->setSelStart(anfang);
        fenster->Text->setSelLength(9);
        QTest::keyClick(fenster, Qt::Key_Escape);
    });
    EXPECT_TRUE(commands::fensterOeffnen(u8("mnuDayInf")));
    EXPECT_EQ(main.text(), u8("Heute: 52. Woche"));
    EXPECT_EQ(store::ungesichert, 1);
    EXPECT_EQ(platform::findForm<Tagesinfos>(), nullptr);
    EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));
}

} // namespace
