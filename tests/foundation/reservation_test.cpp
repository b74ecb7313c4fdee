#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/reservation.h"
#include "foundation/user_identity.h"
#include "platform/command_line_text.h"
#include "platform/form.h"
#include "platform/sound.h"
#include "runtime/dates.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_processes.h"
#include "support/fake_program_end.h"
#include "support/fake_sound.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <optional>

using foundation::DateiReservierung;
using foundation::NetzFreigabePruefen;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A main window that notes how it was unloaded and whether read-only was set by then.
class Hauptfenster : public platform::MainForm {
public:
    Hauptfenster() { setObjectName(s("Main")); }

    std::optional<bool> nurLesenBeimEntladen;
    std::optional<platform::UnloadMode> entladenAls;

protected:
    void Form_QueryUnload(bool&, platform::UnloadMode mode) override { entladenAls = mode; }
    void Form_Unload(bool&) override { nurLesenBeimEntladen = foundation::nurLesen; }
};

// A shared data folder, the own user name in the settings, a clock at 05.03.2024 12:00:00 and
// jobs that are recorded instead of started.
class Reservierung : public ::testing::Test {
protected:
    Reservierung()
    {
        folders.temp().makeFolder(s("daten"));
        platform::setCommandLine({s("/OrdnerDat=") + datenOrdner()});
        foundation::OrdnerFestlegen();
        alsBenutzer(s("Anna"));
        foundation::resetReservierung();
        foundation::resetNurLesen();
        foundation::setAufrufFuerTests(
            QStringList{s("/opt/korvanel/korvanel"), s("/OrdnerDat=/srv/Tage buch"),
                        s("Anna's")});
    }

    ~Reservierung() override
    {
        foundation::resetReservierung();
        foundation::resetNurLesen();
        foundation::setAufrufFuerTests(std::nullopt);
    }

    QString datenOrdner() const { return folders.temp().file(s("daten")); }
    QString netWatchDatei() const { return datenOrdner() + s("/NetWatch.ini"); }
    QByteArray netWatch() const { return folders.temp().read(s("daten/NetWatch.ini")); }
    void netWatchSetzen(const QByteArray& bytes) const
    {
        folders.temp().write(s("daten/NetWatch.ini"), bytes);
    }
    QString lesen(const QString& abschnitt, const QString& schluessel) const
    {
        return foundation::IniLesen(netWatchDatei(), abschnitt, schluessel, s("<fehlt>"));
    }
    void schreiben(const QString& abschnitt, const QString& schluessel, const QString& wert) const
    {
        foundation::IniSchreiben(netWatchDatei(), abschnitt, schluessel, wert);
    }
    // Another user's reservation since the given time.
    void gehaltenVon(const QString& benutzer, const QString& seit) const
    {
        netWatchSetzen("[UserJetzt_]\r\nUser=" + benutzer.toUtf8() + "\r\nSeit=" + seit.toUtf8()
                       + "\r\n");
    }
    static void alsBenutzer(const QString& name)
    {
        foundation::IniSchreiben(QString(), s("Allgemein"), s("User"), name);
    }
    // The main window's two-second clock.
    void ticken(int mal = 1)
    {
        for (int i = 0; i < mal; ++i) {
            uhr.advance(2000);
            NetzFreigabePruefen();
        }
    }

    TempSettingsFolders folders;
    FakeClock uhr{rt::dateTimeOf(2024, 3, 5, 12, 0, 0)};
    ScopedService<platform::Clock> uhrGuard{platform::setClock, &uhr};
    FakeDialogs dialoge;
    ScopedService<platform::Dialogs> dialogeGuard{platform::setDialogs, &dialoge};
    FakeSound ton;
    ScopedService<platform::Sound> tonGuard{platform::setSound, &ton};
    FakeProgramEnd ende;
    ScopedService<platform::ProgramEnd> endeGuard{platform::setProgramEnd, &ende};
    // The job files started through "/bin/sh <file>".
    QStringList gestarteteJobs() const
    {
        QStringList jobs;
        for (const QStringList& aufruf : prozesse.started()) {
            EXPECT_EQ(aufruf.size(), 2);
            EXPECT_EQ(aufruf.value(0), s("/bin/sh"));
            jobs.append(aufruf.value(1));
        }
        return jobs;
    }

    FakeProcesses prozesse;
    ScopedService<platform::Processes> prozesseGuard{platform::setProcesses, &prozesse};
};

TEST_F(Reservierung, aFreeFolderIsReservedAndItsHolderReleasesIt)
{
    DateiReservierung(1);
    EXPECT_FALSE(foundation::nurLesen);
    EXPECT_EQ(netWatch(), QByteArray("[UserJetzt_]\r\nUser=Anna\r\nSeit=05.03.2024 12:00:00\r\n"));

    uhr.advance(3 * 3600 * 1000);
    DateiReservierung(0);
    EXPECT_EQ(netWatch(), QByteArray("[UserJetzt_]\r\nUser=\r\nSeit=05.03.2024 12:00:00\r\n"));
    EXPECT_TRUE(dialoge.calls().empty());
    EXPECT_TRUE(ton.beeps().empty());

    // Released: the next user reserves without a question.
    alsBenutzer(s("Bernd"));
    DateiReservierung(1);
    EXPECT_EQ(netWatch(), QByteArray("[UserJetzt_]\r\nUser=Bernd\r\nSeit=05.03.2024 15:00:00\r\n"));
    EXPECT_TRUE(dialoge.calls().empty());
}

TEST_F(Reservierung, aDataFolderThatRefusesTheLockFileIsStillReserved)
{
    if (runningAsRoot())
        GTEST_SKIP() << "the super-user creates files in any folder";
    netWatchSetzen("[UserJetzt_]\r\nUser=\r\n");
    PermissionGuard guard(datenOrdner());
    folders.temp().setPermissions(s("daten"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    DateiReservierung(1);
    EXPECT_FALSE(foundation::nurLesen);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("User")), s("Anna"));
    ticken(300);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 12:10:00"));
    DateiReservierung(0);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("User")), QString());
    EXPECT_TRUE(dialoge.calls().empty());
}

TEST_F(Reservierung, aNameWithDoubleQuotesIsKeptAliveAndReleased)
{
    // The store keeps a double quote as U+201C and gives it back as a double quote.
    alsBenutzer(s("Anna \"Nanni\" Berg"));
    DateiReservierung(1);
    ASSERT_EQ(lesen(s("UserJetzt_"), s("User")), s("Anna \"Nanni\" Berg"));

    ticken(300); // ten minutes: "Seit" is written again
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 12:10:00"));
    DateiReservierung(0);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("User")), QString());
    EXPECT_TRUE(dialoge.calls().empty());
}

TEST_F(Reservierung, everyUserRecognisesTheOwnReservationWhateverTheNameHolds)
{
    for (const char* variable : {"User", "USERID", "Station", "Username"})
        folders.env().unset(variable);
    struct AnmeldenameZurueck {
        ~AnmeldenameZurueck() { foundation::setAnmeldenameFuerTests(std::nullopt); }
    } zurueck;
    enum class Quelle { Eingabe, Anmeldung, Einstellung };
    struct Row {
        const char* name;
        Quelle quelle;
        QString roh; // typed, the logon name behind "%user", or written into the settings
    };
    const Row rows[] = {
        {"typed in small letters", Quelle::Eingabe, s("anna berg")},
        {"typed with German quotes", Quelle::Eingabe, s("Anna „Nanni“ Berg")},
        {"typed with stars", Quelle::Eingabe, s("Anna**Berg")},
        {"typed with umlauts", Quelle::Eingabe, s("jürgen ößwald")},
        {"logon name with blanks inside", Quelle::Anmeldung, s("anna  berg")},
        {"logon name with German quotes and stars", Quelle::Anmeldung, s("„anna“ **berg")},
        {"logon name with a double quote at both ends", Quelle::Anmeldung, s("\"anna\"")},
        {"settings with German quotes", Quelle::Einstellung, s("„Nanni“ Berg")},
        {"settings with stars and umlauts", Quelle::Einstellung, s("özlem**ünal")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::resetReservierung();
        foundation::resetNurLesen();
        QFile::remove(netWatchDatei());
        foundation::setAnmeldenameFuerTests(row.quelle == Quelle::Anmeldung ? row.roh : QString());
        alsBenutzer(row.quelle == Quelle::Anmeldung    ? s("%user")
                    : row.quelle == Quelle::Einstellung ? row.roh
                                                        : QString());
        if (row.quelle == Quelle::Eingabe)
            dialoge.expectInputBox(row.roh);
        const std::size_t fragenVorher = dialoge.calls().size()
            + (row.quelle == Quelle::Eingabe ? 1 : 0);

        // The first run reserves and then dies without releasing.
        DateiReservierung(1);
        ASSERT_FALSE(foundation::nurLesen);
        const QString inhaber = lesen(s("UserJetzt_"), s("User"));
        EXPECT_FALSE(inhaber.isEmpty());
        foundation::resetReservierung();

        // The same user starts again: the own leftover is taken over without a question.
        uhr.advance(60 * 1000);
        DateiReservierung(1);
        EXPECT_FALSE(foundation::nurLesen);
        EXPECT_EQ(dialoge.calls().size(), fragenVorher);
        EXPECT_EQ(lesen(s("UserJetzt_"), s("User")), inhaber);

        // Kept alive every ten minutes, and released at the end.
        const QString vorher = lesen(s("UserJetzt_"), s("Seit"));
        ticken(300);
        EXPECT_NE(lesen(s("UserJetzt_"), s("Seit")), vorher);
        DateiReservierung(0);
        EXPECT_EQ(lesen(s("UserJetzt_"), s("User")), QString());
    }
}

TEST_F(Reservierung, aReservationFileThatCannotBeReadOpensReadOnlyAndWritesNothing)
{
    // A folder in the place of the file: it is there, and no read of it succeeds.
    folders.temp().makeFolder(s("daten/NetWatch.ini"));
    dialoge.expectMsgBox(platform::vbOK, s("kann nicht gelesen werden"));
    DateiReservierung(1);
    EXPECT_TRUE(foundation::nurLesen);
    EXPECT_TRUE(QFileInfo(netWatchDatei()).isDir());

    // Nothing to release either.
    DateiReservierung(0);
    EXPECT_EQ(dialoge.calls().size(), 1u);
}

TEST_F(Reservierung, anotherUsersReservationCountsForExactly300MinutesEitherWay)
{
    struct Row {
        const char* name;
        QString holder;
        QString seit;
        bool blocks;
    };
    const Row rows[] = {
        {"5 minutes ago", s("Bernd"), s("05.03.2024 11:55:00"), true},
        {"exactly 300 minutes ago", s("Bernd"), s("05.03.2024 07:00:00"), true},
        {"301 minutes ago", s("Bernd"), s("05.03.2024 06:59:00"), false},
        {"300 minutes and 1 second ago: 301 whole minutes", s("Bernd"),
         s("05.03.2024 06:59:59"), false},
        {"exactly 300 minutes ahead", s("Bernd"), s("05.03.2024 17:00:00"), true},
        {"301 minutes ahead", s("Bernd"), s("05.03.2024 17:01:00"), false},
        {"Seit no date", s("Bernd"), s("gestern"), false},
        {"Seit empty", s("Bernd"), QString(), false},
        {"own name: the own leftover is taken over", s("Anna"), s("05.03.2024 11:55:00"), false},
        {"own name in other case is another user", s("anna"), s("05.03.2024 11:55:00"), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::resetReservierung();
        foundation::resetNurLesen();
        gehaltenVon(row.holder, row.seit);
        const QByteArray vorher = netWatch();
        if (row.blocks)
            dialoge.expectMsgBox(platform::vbOK, row.holder);

        DateiReservierung(1);

        EXPECT_EQ(foundation::nurLesen, row.blocks);
        if (row.blocks) {
            EXPECT_EQ(netWatch(), vorher);
        } else {
            EXPECT_EQ(netWatch(),
                      QByteArray("[UserJetzt_]\r\nUser=Anna\r\nSeit=05.03.2024 12:00:00\r\n"));
        }
    }
    EXPECT_EQ(ende.endCalls(), 0);
}

TEST_F(Reservierung, refusedReservationTellsWhoAndSinceWhenAndOkOpensReadOnly)
{
    gehaltenVon(s("Bernd"), s("05.03.2024 10:30:00"));
    const QByteArray vorher = netWatch();
    dialoge.expectMsgBox(platform::vbOK);

    DateiReservierung(1);

    ASSERT_EQ(dialoge.calls().size(), 1U);
    const FakeDialogs::Call& frage = dialoge.calls()[0];
    EXPECT_EQ(frage.text, s("Brisols-Korvanel wird seit 1,5 Stunden von Bernd genutzt.\r\n\r\n"
                            "Wählen Sie bitte ...\r\n\r\n"
                            "OK, um das Programm schreibgeschützt zu öffnen.\r\n\r\n"
                            "Abbrechen, um das Programm nicht zu starten.\r\n"));
    EXPECT_EQ(frage.title, s("Brisols-Korvanel Datei-Reservierung"));
    EXPECT_EQ(frage.buttons, platform::vbOKCancel);
    EXPECT_EQ(frage.icon, platform::vbCritical);
    EXPECT_EQ(frage.defaultAnswer, platform::vbCancel);
    EXPECT_TRUE(frage.helpButton);
    EXPECT_EQ(frage.help, (platform::HelpTopic{foundation::ordnerPrg + s("/Korvanel.chm"), 3004}));
    EXPECT_EQ(ton.beeps(), std::vector<int>{platform::beepHand});

    EXPECT_TRUE(foundation::nurLesen);
    EXPECT_EQ(foundation::reservierterName, QString());
    EXPECT_EQ(netWatch(), vorher);

    // A read-only copy releases nothing at its end.
    DateiReservierung(0);
    EXPECT_EQ(netWatch(), vorher);
}

TEST_F(Reservierung, aDiaryNameIsReservedInProperCaseAndNamedInTheMessage)
{
    schreiben(s("UserJetzt_Txt"), s("User"), s("Bernd"));
    schreiben(s("UserJetzt_Txt"), s("Seit"), s("05.03.2024 11:59:00"));
    QString name = s("txt");
    dialoge.expectMsgBox(platform::vbOK,
                         s("Brisols-Korvanel (Txt) wird seit 60 Sekunden von Bernd"));

    DateiReservierung(1, name);

    EXPECT_EQ(name, s("Txt"));
    EXPECT_EQ(foundation::reservierterName, s("Txt"));

    // Another diary of the same folder is free.
    foundation::resetNurLesen();
    QString anderer = s("abc");
    DateiReservierung(1, anderer);
    EXPECT_EQ(anderer, s("Abc"));
    EXPECT_EQ(lesen(s("UserJetzt_Abc"), s("User")), s("Anna"));
}

TEST_F(Reservierung, cancelEndsTheProgramWithOrWithoutAMessageForTheHolder)
{
    struct Row {
        const char* name;
        QString benachrichtigen;
        bool fragt;
        std::optional<QString> antwort;
        QString text; // [Nachricht] Text afterwards
    };
    const Row rows[] = {
        {"no message asked for", s("0"), false, std::nullopt, s("<fehlt>")},
        {"message written", s("1"), true, s("Bitte um 18 Uhr beenden"),
         s("Bitte um 18 Uhr beenden")},
        {"empty message: nothing written", s("2"), true, QString(), s("<fehlt>")},
        {"input box cancelled: nothing written", s("1"), true, std::nullopt, s("<fehlt>")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::resetNurLesen();
        gehaltenVon(s("Bernd"), s("05.03.2024 11:00:00"));
        schreiben(s("Allgemein"), s("Benachrichtigen"), row.benachrichtigen);
        const QString reservierungVorher = lesen(s("UserJetzt_"), s("User"))
            + lesen(s("UserJetzt_"), s("Seit"));
        auto* haupt = new Hauptfenster;
        const int endeVorher = ende.endCalls();
        const std::size_t dialogeVorher = dialoge.calls().size();
        dialoge.expectMsgBox(platform::vbCancel);
        if (row.fragt)
            dialoge.expectInputBox(row.antwort);

        EXPECT_THROW(DateiReservierung(1), ProgramEndedException);

        EXPECT_EQ(ende.endCalls(), endeVorher + 1);
        EXPECT_TRUE(foundation::nurLesen);
        EXPECT_TRUE(haupt->isUnloaded());
        EXPECT_EQ(haupt->entladenAls, platform::UnloadMode::Code);
        EXPECT_EQ(haupt->nurLesenBeimEntladen, true);
        ASSERT_EQ(dialoge.calls().size(), dialogeVorher + (row.fragt ? 2 : 1));
        if (row.fragt) {
            const FakeDialogs::Call& eingabe = dialoge.calls().back();
            EXPECT_EQ(eingabe.kind, FakeDialogs::Kind::InputBox);
            EXPECT_EQ(eingabe.text, s("Bitte geben Sie eine Nachricht für Bernd ein."));
            EXPECT_EQ(eingabe.title, s("Brisols-Korvanel Datei-Reservierung"));
            EXPECT_EQ(eingabe.defaultText, s("Anna möchte auch mal Brisols-Korvanel benutzen."));
            EXPECT_EQ(eingabe.help.context, 3004);
        }
        EXPECT_EQ(lesen(s("Nachricht"), s("Text")), row.text);
        if (row.text != u"<fehlt>") {
            EXPECT_EQ(lesen(s("Nachricht"), s("User")), s("Bernd"));
            EXPECT_EQ(lesen(s("Nachricht"), s("Date")), s("05.03.2024 12:00:00"));
        }
        EXPECT_EQ(lesen(s("UserJetzt_"), s("User")) + lesen(s("UserJetzt_"), s("Seit")),
                  reservierungVorher);
        delete haupt;
    }
}

TEST_F(Reservierung, aReadOnlyCopyNeitherAsksNorReservesNorReleases)
{
    foundation::nurLesen = true;
    gehaltenVon(s("Bernd"), s("05.03.2024 11:00:00"));
    const QByteArray vorher = netWatch();
    DateiReservierung(1);
    DateiReservierung(0);
    EXPECT_EQ(netWatch(), vorher);

    QFile::remove(netWatchDatei());
    DateiReservierung(1);
    DateiReservierung(0);
    EXPECT_FALSE(QFile::exists(netWatchDatei()));
    EXPECT_TRUE(dialoge.calls().empty());
    EXPECT_TRUE(foundation::nurLesen);
}

TEST_F(Reservierung, noNetWatchSwitchesTheReservationOffCompletely)
{
    struct Row {
        QString wert;
        bool aus;
    };
    const Row rows[] = {{s("1"), true}, {s("2"), true}, {s("-1"), true}, {s("1 (aus)"), true},
                        {s("0"), false}, {s("aus"), false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.wert.toStdString());
        foundation::resetReservierung();
        foundation::resetNurLesen();
        netWatchSetzen("[Allgemein]\r\nNoNetWatch=" + row.wert.toUtf8()
                       + "\r\n[UserJetzt_]\r\nUser=Bernd\r\nSeit=05.03.2024 11:00:00\r\n");
        const QByteArray vorher = netWatch();
        if (!row.aus)
            dialoge.expectMsgBox(platform::vbOK);

        DateiReservierung(1);
        EXPECT_EQ(foundation::nurLesen, !row.aus);
        foundation::resetNurLesen();
        DateiReservierung(0);

        EXPECT_EQ(netWatch(), vorher);
    }
}

TEST_F(Reservierung, releaseLeavesAReservationThatAnotherUserHasTakenOver)
{
    DateiReservierung(1);
    // Anna's copy hung for more than 5 hours; Carla took the folder over.
    schreiben(s("UserJetzt_"), s("User"), s("Carla"));
    schreiben(s("UserJetzt_"), s("Seit"), s("05.03.2024 17:05:00"));
    const QByteArray vorher = netWatch();

    DateiReservierung(0);
    EXPECT_EQ(netWatch(), vorher);

    // Nothing held, nothing written: no NetWatch.ini appears through a release.
    QFile::remove(netWatchDatei());
    DateiReservierung(0);
    EXPECT_FALSE(QFile::exists(netWatchDatei()));
}

TEST_F(Reservierung, theHolderRewritesSeitEveryTenMinutesWhileTheReservationIsItsOwn)
{
    DateiReservierung(1);
    ticken(299); // 9:58 minutes
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 12:00:00"));
    ticken();
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 12:10:00"));
    ticken(300);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 12:20:00"));

    // Hours later the reservation is still fresh: a held reservation never runs out.
    ticken(300 * 30);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 17:20:00"));

    // NoNetWatch switched on while running: no more writes.
    schreiben(s("Allgemein"), s("NoNetWatch"), s("1"));
    ticken(300);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 17:20:00"));
    schreiben(s("Allgemein"), s("NoNetWatch"), s("0"));

    // Someone else is the holder now: this copy does not write over that.
    schreiben(s("UserJetzt_"), s("User"), s("Carla"));
    ticken(300);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 17:20:00"));
    EXPECT_EQ(lesen(s("UserJetzt_"), s("User")), s("Carla"));

    // Its own again (the same name on another computer took it back): written again.
    schreiben(s("UserJetzt_"), s("User"), s("Anna"));
    ticken(300);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 17:50:00"));

    // Released: nothing more is written.
    DateiReservierung(0);
    ticken(300);
    EXPECT_EQ(lesen(s("UserJetzt_"), s("Seit")), s("05.03.2024 17:50:00"));
    EXPECT_EQ(lesen(s("UserJetzt_"), s("User")), QString());
}

// ---------------------------------------------------------------------------------------------
// The release watch and the restart jobs

class Freigabe : public Reservierung {
protected:
    // Anna opened read-only because Bernd holds the data folder.
    void leseKopie()
    {
        gehaltenVon(s("Bernd"), s("05.03.2024 11:00:00"));
        dialoge.expectMsgBox(platform::vbOK);
        DateiReservierung(1);
        ASSERT_TRUE(foundation::nurLesen);
    }
    std::size_t fragen() const { return dialoge.calls().size() - 1; }

    QString erwarteterNeustart(const QString& job) const
    {
        return s("#!/bin/sh\n"
                 "echo 'Warte einige Sekunden bis Programm beendet ist'\n"
                 "while kill -0 %1 2>/dev/null; do sleep 1; done\n"
                 "echo 'Aufraeumen'\n"
                 "rm -f -- '%2'\n"
                 "echo 'Starte Programm neu'\n"
                 "exec '/opt/korvanel/korvanel' '/OrdnerDat=/srv/Tage buch' 'Anna'\\''s'\n")
            .arg(QCoreApplication::applicationPid())
            .arg(job);
    }
};

TEST_F(Freigabe, asksOnceTheHolderHasReleasedAndNoEndsTheWatch)
{
    leseKopie();
    ticken(10);
    EXPECT_EQ(fragen(), 0U); // still held

    // An old "Seit" does not count here, only the holder's name.
    schreiben(s("UserJetzt_"), s("Seit"), s("01.01.2020 00:00:00"));
    ticken(3);
    EXPECT_EQ(fragen(), 0U);

    schreiben(s("UserJetzt_"), s("User"), QString());
    const QByteArray freigegeben = netWatch();
    dialoge.expectMsgBox(platform::vbNo);
    ticken();
    ASSERT_EQ(fragen(), 1U);
    const FakeDialogs::Call& frage = dialoge.calls().back();
    EXPECT_EQ(frage.text, s("Brisols-Korvanel wird nicht mehr von anderen Usern genutzt.\r\n\r\n"
                            "Möchten Sie das Programm neu starten um auch Schreibrechte zu "
                            "erlangen?"));
    EXPECT_EQ(frage.title, s("Brisols-Korvanel Datei-Reservierung"));
    EXPECT_EQ(frage.buttons, platform::vbYesNo);
    EXPECT_EQ(frage.icon, platform::vbQuestion);
    EXPECT_EQ(frage.defaultAnswer, platform::vbNo);
    EXPECT_TRUE(frage.helpButton);
    EXPECT_EQ(frage.help.context, 3004);

    ticken(10);
    EXPECT_EQ(fragen(), 1U);
    EXPECT_TRUE(foundation::nurLesen);
    EXPECT_TRUE(gestarteteJobs().isEmpty());
    EXPECT_EQ(netWatch(), freigegeben);
    EXPECT_EQ(ende.endCalls(), 0);
}

TEST_F(Freigabe, staysQuietWhileTheReleaseCannotBeSeen)
{
    struct Row {
        const char* name;
        QByteArray netWatch;
    };
    const Row rows[] = {
        {"NoUnlockWatch switches the watch off",
         "[Allgemein]\r\nNoUnlockWatch=1\r\n[UserJetzt_]\r\nUser=\r\n"},
        {"NetWatch.ini gone (the share is not reachable)", QByteArray()},
        {"the holder's entry gone", "[Allgemein]\r\nNoNetWatch=0\r\n"},
    };
    leseKopie();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.netWatch.isEmpty())
            QFile::remove(netWatchDatei());
        else
            netWatchSetzen(row.netWatch);
        ticken(3);
        EXPECT_EQ(fragen(), 0U);
    }
}

TEST_F(Freigabe, aCopyWithWriteAccessOrWithoutARefusalNeverAsks)
{
    DateiReservierung(1); // Anna holds it herself
    schreiben(s("UserJetzt_"), s("User"), QString());
    ticken(3);
    foundation::nurLesen = true; // read-only for another reason
    ticken(3);
    EXPECT_TRUE(dialoge.calls().empty());
}

TEST_F(Freigabe, yesWritesTheRestartJobIntoTheProgramFolderStartsItAndEnds)
{
    leseKopie();
    auto* haupt = new Hauptfenster;
    schreiben(s("UserJetzt_"), s("User"), QString());
    dialoge.expectMsgBox(platform::vbYes);

    EXPECT_THROW(ticken(), ProgramEndedException);

    const QString job = foundation::ordnerPrg + s("/Restart.sh");
    EXPECT_EQ(gestarteteJobs(), QStringList{job});
    EXPECT_EQ(QString::fromUtf8(folders.temp().read(s("program/Restart.sh"))),
              erwarteterNeustart(job));
    EXPECT_TRUE(haupt->isUnloaded());
    EXPECT_EQ(ende.endCalls(), 1);
    delete haupt;
}

TEST_F(Freigabe, aClockTickDuringTheQuestionAsksNothingAndRestartsNothing)
{
    // The message box lets the two-second clock run: a tick arrives while it is open.
    class TickInDerFrage : public FakeDialogs {
    public:
        explicit TickInDerFrage(FakeClock& uhr) : uhr_(uhr) {}
        int fragen = 0;

    protected:
        int showMessage(const QString& text, int style, const QString& title,
                        const platform::HelpTopic& help) override
        {
            ++fragen;
            for (int i = 0; i < 3; ++i) {
                uhr_.advance(2000);
                NetzFreigabePruefen();
            }
            return FakeDialogs::showMessage(text, style, title, help);
        }

    private:
        FakeClock& uhr_;
    };

    leseKopie();
    TickInDerFrage frageMitTick(uhr);
    ScopedService<platform::Dialogs> guard(platform::setDialogs, &frageMitTick);
    schreiben(s("UserJetzt_"), s("User"), QString());
    frageMitTick.expectMsgBox(platform::vbYes);

    EXPECT_THROW(ticken(), ProgramEndedException);

    EXPECT_EQ(frageMitTick.fragen, 1);
    EXPECT_EQ(gestarteteJobs().size(), 1);
    EXPECT_EQ(ende.endCalls(), 1);
}

TEST_F(Freigabe, aProgramFolderThatCannotBeWrittenPutsTheJobIntoTheTemporaryFolder)
{
    // A program folder below a file can be written by nobody, not even by root.
    folders.temp().write(s("keinOrdner"), "x");
    foundation::resetOrdner();
    foundation::setProgrammOrdnerFuerTests(folders.temp().file(s("keinOrdner/program")));
    foundation::OrdnerFestlegen();
    leseKopie();
    schreiben(s("UserJetzt_"), s("User"), QString());
    dialoge.expectMsgBox(platform::vbYes);

    EXPECT_THROW(ticken(), ProgramEndedException);

    const QString job = folders.tmpFolder() + s("/Restart.sh");
    EXPECT_EQ(gestarteteJobs(), QStringList{job});
    EXPECT_EQ(QString::fromUtf8(folders.temp().read(s("tmp/Restart.sh"))),
              erwarteterNeustart(job));
}

TEST_F(Freigabe, aJobThatCannotBeWrittenOrStartedStillEndsTheProgram)
{
    leseKopie();
    prozesse.setAnswer(false);
    schreiben(s("UserJetzt_"), s("User"), QString());
    dialoge.expectMsgBox(platform::vbYes);
    EXPECT_THROW(ticken(), ProgramEndedException);
    EXPECT_EQ(ende.endCalls(), 1);
}

TEST_F(Reservierung, setupJobRestartsFromTheProgramFolderWithoutTheOldDataFolderAndEndsAtOnce)
{
    foundation::setAufrufFuerTests(QStringList{
        s("/opt/korvanel/korvanel"), s("/OrdnerDat=/srv/alt"), s("Datum=05.03.2024"),
        s("/ORDNERDAT=/srv/auch alt"), s("fenster=1,2,3,4")});
    folders.temp().makeFolder(s("program/Anna's Programme"));
    foundation::resetOrdner();
    foundation::setProgrammOrdnerFuerTests(folders.temp().file(s("program/Anna's Programme")));
    foundation::OrdnerFestlegen();
    auto* haupt = new Hauptfenster;

    EXPECT_THROW(foundation::NeustartSetupJob(), ProgramEndedException);

    const QString prg = folders.temp().file(s("program/Anna's Programme"));
    const QString job = prg + s("/x-Setup_Job.sh");
    EXPECT_EQ(gestarteteJobs(), QStringList{job});
    QString zitiert = job;
    zitiert.replace(s("'"), s("'\\''"));
    QString ordner = prg;
    ordner.replace(s("'"), s("'\\''"));
    EXPECT_EQ(QString::fromUtf8(folders.temp().read(s("program/Anna's Programme/x-Setup_Job.sh"))),
              s("#!/bin/sh\n"
                "# Brisols-Korvanel - Restart\n"
                "echo 'Warte kurz bis Programm beendet ist'\n"
                "while kill -0 %1 2>/dev/null; do sleep 1; done\n"
                "echo '...'\n"
                "echo 'Aufraeumen'\n"
                "rm -f -- '%2'\n"
                "echo 'Starte Programm'\n"
                "cd -- '%3'\n"
                "exec '/opt/korvanel/korvanel' 'Datum=05.03.2024' 'fenster=1,2,3,4'\n")
                  .arg(QCoreApplication::applicationPid())
                  .arg(zitiert, ordner));
    // Ended at once: the windows were not unloaded first.
    EXPECT_FALSE(haupt->isUnloaded());
    EXPECT_EQ(ende.endCalls(), 1);
    delete haupt;
}

} // namespace
