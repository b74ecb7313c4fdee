// The commands that run over many days, on the real main window and real day files: the
// conversion from the DOS character set, the imports of file names and calendar events, the
// quotation marks as they reach the day file, and what read-only mode leaves of them.
#include "mainwindow/main_fixture.h"

#include "commands/batch_commands.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <QTimer>

namespace {

class ManyDays : public MainFixture {
protected:
    ManyDays()
    {
        schreiben(s("Info.Txt"), "Tagebuch\r\n");
        // The tidy-up of AutoFormat (on by default) would change the entries it saves.
        folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nAutoFormat=0\r\n");
    }

    void einstellen(const char* key, const QString& wert) const
    {
        foundation::IniSchreiben({}, {}, s(key), wert);
    }
    // The day file's bytes once the shown entry is saved.
    QByteArray tag(const char* tagesnummer)
    {
        store::EintragSpeichern();
        const QString name = s(tagesnummer);
        return lesen(name.left(4) + u'/' + name + s(".Txt"));
    }
    bool ausloesen(const char* eintrag) { return main->actions->trigger(s(eintrag)); }
};

TEST_F(ManyDays, conversionRewritesOnlyEntriesWithDosLetters)
{
    schreiben(s("2024/20240301.Txt"), "Gr\x81\xE1" "e");
    schreiben(s("2024/20240302.Txt"), "Schon gut");
    const QDateTime alt(QDate(2020, 1, 2), QTime(3, 4, 5));
    {
        QFile datei(pfad(s("2024/20240302.Txt")));
        ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
        ASSERT_TRUE(datei.setFileTime(alt, QFileDevice::FileModificationTime));
    }
    oeffnen(s("Txt"), s("10.03.2024"));

    dialogs.expectMsgBox(platform::vbNo, s("alle Einträge von ASCII (Dos) nach ANSI (Win)"));
    ASSERT_TRUE(ausloesen("mnuKonvertASCII2Ansi"));
    EXPECT_EQ(main->dateCaption(), s("10.03.2024"));

    dialogs.expectMsgBox(platform::vbYes, s("alle Einträge von ASCII (Dos) nach ANSI (Win)"));
    dialogs.expectMsgBox(platform::vbOK, s("ist abgeschlossen.\r\n\r\nEs wurden 1 Einträge angepasst."));
    ASSERT_TRUE(ausloesen("mnuKonvertASCII2Ansi"));
    EXPECT_EQ(dialogs.calls().front().help.context, 4001);
    EXPECT_EQ(lesen(s("2024/20240301.Txt")), QByteArray("Gr\xFC\xDF" "e"));
    EXPECT_EQ(QFileInfo(pfad(s("2024/20240302.Txt"))).lastModified(), alt)
        << "an entry without DOS letters is not written";
    EXPECT_EQ(main->dateCaption(), s("02.03.2024")) << "the last day of the index";
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(panel("Status"), s("Bereit"));

    dialogs.expectMsgBox(platform::vbYes);
    dialogs.expectMsgBox(platform::vbOK, s("Es wurden 0 Einträge angepasst."));
    ASSERT_TRUE(ausloesen("mnuKonvertASCII2Ansi"));
}

TEST_F(ManyDays, fileNamesAreAppendedOnceBehindTheirTag)
{
    for (const char* name : {"2024-05-01_Hafen.jpg", "2024-05-01 20\xC2\xB0.jpg",
                             "2024-05-01_hafen.JPG", "2024-05-01_Notiz.txt", "2024-05-02-Boot.jpg"})
        folders.temp().write(s("Fotos/") + s(name), "Bild");
    einstellen("ImportDateinamePattern01",
               folders.temp().file(s("Fotos")) + s("/{jjjj}-{mm}-{tt}*.jpg"));
    schreiben(s("2024/20240501.Txt"), "Alt");
    oeffnen(s("Txt"), s("02.05.2024"));

    for (int lauf = 1; lauf <= 2; ++lauf) {
        SCOPED_TRACE(lauf);
        dialogs.expectInputBox(s("1"), s("Anzahl Tage zurück"));
        // Keys typed while the run goes on reach no entry.
        QTimer::singleShot(0, main.get(), [this] {
            QTest::keyClicks(main->Text, s("XYZ"));
            QTest::keyClick(main->Text, Qt::Key_S, Qt::ControlModifier);
        });
        ASSERT_TRUE(ausloesen("mnuImportDateiname"));
        EXPECT_FALSE(main->text().contains(s("XYZ")));
        EXPECT_EQ(main->dateCaption(), s("02.05.2024")) << "back on the day it started from";
        EXPECT_EQ(tag("20240501"), QByteArray("Alt\r\n[Von Foto-Text] Hafen"));
        EXPECT_EQ(tag("20240502"), QByteArray("[Von Foto-Text] Boot"));
    }
    EXPECT_EQ(foundation::IniLesen({}, {}, s("ImportDateinameTextPre01")), s("[Von Foto-Text]"));

    // 0, no number and Cancel change nothing.
    const auto vorher = datenordnerInhalt();
    for (const std::optional<QString>& antwort :
         {std::optional<QString>(s("0")), std::optional<QString>(s("viele")),
          std::optional<QString>()}) {
        dialogs.expectInputBox(antwort);
        ASSERT_TRUE(ausloesen("mnuImportDateiname"));
    }
    EXPECT_EQ(datenordnerInhalt(), vorher);

    // An empty pattern imports nothing and says so, without asking for days.
    einstellen("ImportDateinamePattern01", QString());
    dialogs.expectMsgBox(platform::vbOK, s("kein Dateimuster"));
    ASSERT_TRUE(ausloesen("mnuImportDateiname"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(ManyDays, calendarEventsAreAppendedToTheirStartDayOnce)
{
    clock.setNow(rt::dateTimeOf(2024, 5, 10, 12, 0));
    folders.temp().write(s("kalender.ics"),
                         "BEGIN:VCALENDAR\r\n"
                         "BEGIN:VEVENT\r\nDTSTART:20240501\r\nDTEND:20240503\r\n"
                         "SUMMARY: Urlaub an der K\xC3\xBCste \r\nEND:VEVENT\r\n"
                         "BEGIN:VEVENT\nDTSTART:20240504T180000Z\nDTEND:20240504T200000Z\n"
                         "summary:Kino\nEND:VEVENT\n"
                         "BEGIN:VEVENT\r\nDTSTART:20240502\r\nEND:VEVENT\r\n"
                         "BEGIN:VEVENT\r\nDTSTART:20240520\r\nSUMMARY:Zukunft\r\nEND:VEVENT\r\n"
                         "BEGIN:VEVENT\r\nDTSTART:20230101\r\nSUMMARY:Zu alt\r\nEND:VEVENT\r\n"
                         "END:VCALENDAR\r\n");
    schreiben(s("2024/20240501.Txt"), "Alt");
    oeffnen(s("Txt"), s("10.05.2024"));

    for (int lauf = 1; lauf <= 2; ++lauf) {
        SCOPED_TRACE(lauf);
        dialogs.expectInputBox(s("30"), s("Anzahl Tage zurück"));
        dialogs.expectOpenFile(folders.temp().file(s("kalender.ics")), 0, s("Kalender"));
        ASSERT_TRUE(ausloesen("mnuImportGoogleKalender"));
        EXPECT_EQ(main->dateCaption(), s("04.05.2024")) << "the day of the last event used";
        EXPECT_EQ(tag("20240501"),
                  ansi("Alt\r\n[Von Kalender-Text] Urlaub an der Küste (bis 03.05.2024)"));
        EXPECT_EQ(tag("20240504"), QByteArray("[Von Kalender-Text] Kino"));
    }
    EXPECT_FALSE(vorhanden(s("2024/20240502.Txt"))) << "an event without title";
    EXPECT_FALSE(vorhanden(s("2024/20240520.Txt"))) << "a future event";
    EXPECT_FALSE(vorhanden(s("2023/20230101.Txt"))) << "older than the days asked for";

    // Cancel, also of the file chooser, writes nothing.
    const auto vorher = datenordnerInhalt();
    dialogs.expectInputBox(std::nullopt);
    ASSERT_TRUE(ausloesen("mnuImportGoogleKalender"));
    dialogs.expectInputBox(s("365"));
    dialogs.expectOpenFile(std::nullopt);
    ASSERT_TRUE(ausloesen("mnuImportGoogleKalender"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(ManyDays, calendarEventsAsTheFileListsThem)
{
    const std::vector<commands::KalenderEreignis> ereignisse = commands::KalenderEreignisse(
        s("BEGIN:VEVENT\rDTSTART:20240501\rSUMMARY:  Ein Tag \rEND:VEVENT\r"
          "DTSTART:20240601\r"                              // outside an event
          "BEGIN:VEVENT\r\nsummary:Ohne Beginn\r\nEND:VEVENT\r\n"
          "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240701\r\nSUMMARY:Mit Parameter\r\n"
          "BEGIN:VEVENT\r\nDTSTART:20240801\r\nSUMMARY:Nicht beendet\r\n"));
    const std::vector<commands::KalenderEreignis> erwartet = {
        {s("20240501"), QString(), s("Ein Tag")},
        {QString(), QString(), s("Ohne Beginn")},
    };
    EXPECT_EQ(ereignisse, erwartet);
}

TEST_F(ManyDays, quotationMarksReachTheDayFileInTheProgramsCodePage)
{
    foundation::IniSchreiben({}, s("Allgemein"), s("Anführung1"), s("‹"));
    foundation::IniSchreiben({}, s("Allgemein"), s("Anführung2"), s("›"));
    schreiben(s("2024/20240305.Txt"), "x");
    oeffnen(s("Txt"), s("05.03.2024"));
    main->setSelStart(0);
    main->setSelLength(1);
    ASSERT_TRUE(ausloesen("mnuMarkGänsefuss"));
    EXPECT_EQ(tag("20240305"), QByteArray("\x8Bx\x9B"));
}

TEST_F(ManyDays, pictureNameComesFromThePictureShown)
{
    folders.temp().makeFolder(s("Bilder"));
    const QString bild = folders.temp().file(s("Bilder/20240501_Hafen.png"));
    QImage punkt(4, 4, QImage::Format_RGB32);
    punkt.fill(Qt::blue);
    ASSERT_TRUE(punkt.save(bild));
    schreiben(s("BildList.ini"), "[Txt]\r\n20240305=" + bild.toUtf8() + "\r\n");
    schreiben(s("2024/20240305.Txt"), " am Meer");
    oeffnen(s("Txt"), s("05.03.2024"));
    ASSERT_TRUE(ausloesen("mnuBildNameTxtInst"));
    EXPECT_EQ(tag("20240305"), QByteArray("Hafen am Meer"));

    // With the display switched off there is no picture to take the name from.
    ASSERT_TRUE(ausloesen("mnuBildAnzeigen"));
    ASSERT_TRUE(ausloesen("mnuBildNameTxtInst"));
    EXPECT_EQ(tag("20240305"), QByteArray("Hafen am Meer"));
}

TEST_F(ManyDays, readOnlyLocksTheInsertsAndTheImportWhileTheOwnImportsOnlySaySo)
{
    schreiben(s("2024/20240305.Txt"), "x");
    einstellen("ImportDateinamePattern01", s("/tmp/{jjjj}*.jpg"));
    foundation::IniSchreiben({}, s("Allgemein"), s("UserGUID"),
                             s("{7D1C4E93-2B6A-4F08-9E35-C81A0B62D4F7}"));
    laden({s("readonly")});
    oeffnen(s("Txt"), s("05.03.2024"));
    for (const char* name : {"mnuImport", "mnuMarker", "PulBearbeiten"})
        EXPECT_FALSE(main->actions->isEnabled(s(name))) << name;
    EXPECT_FALSE(main->runMenuEntry(s("mnuAutoImpMarked")));
    EXPECT_FALSE(main->runMenuEntry(s("mnuKonvertASCII2Ansi")));

    const auto vorher = datenordnerInhalt();
    for (const char* name : {"mnuImportDateiname", "mnuImportGoogleKalender"}) {
        SCOPED_TRACE(name);
        dialogs.expectMsgBox(platform::vbOK, s("schreibgeschützt"));
        EXPECT_TRUE(main->runMenuEntry(s(name))) << "reachable";
    }
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

} // namespace
