// Real copies of the program (the test driver) on one data folder: the reservation protocol
// between two users with the restart through the job, and the instance guard.
#include "foundation/ini_store.h"
#include "support/qt_print.h"
#include "support/temp_settings.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Long enough for a process under the sanitizers to start; never waited for when all is well.
constexpr int frist = 30000;

// The test's end of the report socket of one copy (and of the copy a restart job starts in its
// place): the lines it reports, and the commands sent to it.
class Gegenstelle {
public:
    explicit Gegenstelle(const QString& pfad) : pfad_(pfad)
    {
        QLocalServer::removeServer(pfad);
        server_.listen(pfad);
    }

    QString pfad() const { return pfad_; }

    // The next line; "" when none comes in time. A copy that ended hands over to the next copy
    // that connects.
    QString zeile()
    {
        const QDeadlineTimer ablauf(frist);
        for (;;) {
            if (verbindung_ && verbindung_->canReadLine())
                return QString::fromUtf8(verbindung_->readLine()).chopped(1);
            if (verbindung_ && verbindung_->state() == QLocalSocket::ConnectedState) {
                if (!verbindung_->waitForReadyRead(ablauf.remainingTime())
                    && verbindung_->state() == QLocalSocket::ConnectedState)
                    return QString();
                continue;
            }
            if (verbindung_ && verbindung_->bytesAvailable() > 0)
                return QString::fromUtf8(verbindung_->readAll());
            verbindung_.reset();
            if (!server_.hasPendingConnections()
                && !server_.waitForNewConnection(ablauf.remainingTime()))
                return QString();
            verbindung_.reset(server_.nextPendingConnection());
        }
    }

    void senden(const QByteArray& befehl)
    {
        ASSERT_TRUE(verbindung_);
        verbindung_->write(befehl + '\n');
        verbindung_->waitForBytesWritten(frist);
    }

private:
    QString pfad_;
    QLocalServer server_;
    std::unique_ptr<QLocalSocket> verbindung_;
};

// Two users with settings folders of their own on one data folder.
class Prozesse : public ::testing::Test {
protected:
    Prozesse()
    {
        temp.makeFolder(s("daten"));
        temp.makeFolder(s("run"));
        // A runtime folder belongs to its user alone.
        temp.setPermissions(s("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
        temp.makeFolder(s("tmp"));
        for (const char* benutzer : {"Anna", "Bernd"}) {
            temp.makeFolder(s("programm-") + s(benutzer));
            temp.write(s("config-") + s(benutzer) + s("/Brisols-Programme/Brisol.ini"),
                       QByteArray("[Allgemein]\r\nUser=") + benutzer + "\r\n");
        }
    }

    ~Prozesse() override
    {
        for (const auto& prozess : prozesse_) {
            if (prozess->state() != QProcess::NotRunning) {
                prozess->kill();
                prozess->waitForFinished(frist);
            }
        }
    }

    QString netWatch(const QString& abschnitt, const QString& schluessel) const
    {
        return foundation::IniLesen(temp.file(s("daten/NetWatch.ini")), abschnitt, schluessel,
                                    s("<fehlt>"));
    }
    void netWatchSchreiben(const QString& abschnitt, const QString& schluessel,
                           const QString& wert) const
    {
        foundation::IniSchreiben(temp.file(s("daten/NetWatch.ini")), abschnitt, schluessel, wert);
    }

    QStringList argumente(const QString& modus, const Gegenstelle& melder, const QString& benutzer,
                          const QStringList& weitere = {}) const
    {
        return QStringList{modus, s("--melden=") + melder.pfad(),
                           s("--programmordner=") + temp.file(s("programm-") + benutzer),
                           s("/OrdnerDat=") + temp.file(s("daten"))}
            + weitere;
    }

    QProcess& starten(const QString& benutzer, const QStringList& argumente)
    {
        auto prozess = std::make_unique<QProcess>();
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(s("XDG_CONFIG_HOME"), temp.file(s("config-") + benutzer));
        umgebung.insert(s("XDG_CONFIG_DIRS"), temp.file(s("xdg")));
        umgebung.insert(s("XDG_DATA_HOME"), temp.file(s("data")));
        umgebung.insert(s("XDG_RUNTIME_DIR"), temp.file(s("run")));
        umgebung.insert(s("Tmp"), temp.file(s("tmp")));
        umgebung.insert(s("QT_QPA_PLATFORM"), s("offscreen"));
        prozess->setProcessEnvironment(umgebung);
        prozess->setWorkingDirectory(temp.path());
        prozess->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        prozess->setStandardOutputFile(QProcess::nullDevice());
        prozess->start(s(KORVANEL_RESERVIERUNG_TREIBER), argumente);
        EXPECT_TRUE(prozess->waitForStarted(frist));
        prozesse_.push_back(std::move(prozess));
        return *prozesse_.back();
    }

    static void beendet(QProcess& prozess)
    {
        EXPECT_TRUE(prozess.waitForFinished(frist));
        EXPECT_EQ(prozess.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(prozess.exitCode(), 0);
    }

    // The test's own settings stay in temporary folders too.
    TempSettingsFolders folders;
    const TempFolder& temp = folders.temp();

private:
    std::vector<std::unique_ptr<QProcess>> prozesse_;
};

TEST_F(Prozesse, twoUsersShareTheDataFolderThroughNetWatchAndTheReadOnlyCopyRestartsWithWriteAccess)
{
    // Anna starts first and reserves.
    Gegenstelle anna(temp.file(s("run/anna.melder")));
    const QStringList annasArgumente = argumente(s("reservierung"), anna, s("Anna"));
    QProcess& annasKopie = starten(s("Anna"), annasArgumente);
    EXPECT_EQ(anna.zeile(), s("argumente ") + annasArgumente.join(s(" | ")));
    EXPECT_EQ(anna.zeile(), s("schreiben"));
    EXPECT_EQ(netWatch(s("UserJetzt_"), s("User")), s("Anna"));

    // Bernd does not start and leaves Anna a message.
    netWatchSchreiben(s("Allgemein"), s("Benachrichtigen"), s("1"));
    {
        Gegenstelle bernd(temp.file(s("run/bernd-weg.melder")));
        QProcess& berndsKopie = starten(
            s("Bernd"), argumente(s("reservierung"), bernd, s("Bernd"),
                                  {s("--antworten=2"), s("--eingabe=Bitte bis 18 Uhr beenden")}));
        EXPECT_TRUE(bernd.zeile().startsWith(s("argumente ")));
        const QString frage = bernd.zeile();
        EXPECT_TRUE(frage.startsWith(s("frage Brisols-Korvanel wird seit ")));
        EXPECT_TRUE(frage.contains(s(" von Anna genutzt.")));
        EXPECT_EQ(bernd.zeile(), s("eingabe Bitte geben Sie eine Nachricht für Anna ein."));
        EXPECT_EQ(bernd.zeile(), s("ende"));
        beendet(berndsKopie);
    }
    EXPECT_EQ(netWatch(s("Nachricht"), s("Text")), s("Bitte bis 18 Uhr beenden"));
    EXPECT_EQ(netWatch(s("Nachricht"), s("User")), s("Anna"));
    EXPECT_EQ(netWatch(s("UserJetzt_"), s("User")), s("Anna"));

    // Bernd opens read-only; an argument with a blank and quotes must survive the restart.
    Gegenstelle bernd(temp.file(s("run/bernd.melder")));
    const QStringList berndsArgumente =
        argumente(s("reservierung"), bernd, s("Bernd"),
                  {s("--antworten=1,6"), s("--marke=Bernd's \"Tage\" buch")});
    QProcess& berndsKopie = starten(s("Bernd"), berndsArgumente);
    EXPECT_EQ(bernd.zeile(), s("argumente ") + berndsArgumente.join(s(" | ")));
    EXPECT_TRUE(bernd.zeile().contains(s(" von Anna genutzt.")));
    EXPECT_EQ(bernd.zeile(), s("lesen"));
    bernd.senden("tick");
    EXPECT_EQ(bernd.zeile(), s("tick fertig")); // Anna still holds it: no question

    // Anna ends and releases.
    anna.senden("freigeben");
    EXPECT_EQ(anna.zeile(), s("freigegeben"));
    EXPECT_EQ(netWatch(s("UserJetzt_"), s("User")), QString());
    anna.senden("ende");
    EXPECT_EQ(anna.zeile(), s("ende"));
    beendet(annasKopie);

    // Bernd's next tick sees the release; Yes restarts him through the job.
    bernd.senden("tick");
    EXPECT_EQ(bernd.zeile(),
              s("frage Brisols-Korvanel wird nicht mehr von anderen Usern genutzt.  "
                "Möchten Sie das Programm neu starten um auch Schreibrechte zu erlangen?"));
    EXPECT_EQ(bernd.zeile(), s("ende"));
    beendet(berndsKopie);

    // The job waited for the old process, removed itself and started the new copy with the
    // same arguments, which now reserves the folder.
    EXPECT_EQ(bernd.zeile(), s("argumente ") + berndsArgumente.join(s(" | ")));
    EXPECT_EQ(bernd.zeile(), s("schreiben"));
    EXPECT_EQ(netWatch(s("UserJetzt_"), s("User")), s("Bernd"));
    EXPECT_FALSE(temp.exists(s("programm-Bernd/Restart.sh")));
    bernd.senden("ende");
    EXPECT_EQ(bernd.zeile(), s("ende"));
}

TEST_F(Prozesse, twoUsersStartingAtTheSameMomentNeverBothGetWriteAccess)
{
    const QStringList benutzer{s("Anna"), s("Bernd")};
    for (int runde = 1; runde <= 20; ++runde) {
        SCOPED_TRACE(runde);
        // A released reservation in every other round, no file in the others.
        if (runde % 2 == 0)
            netWatchSchreiben(s("UserJetzt_"), s("User"), QString());
        else
            QFile::remove(temp.file(s("daten/NetWatch.ini")));

        std::vector<std::unique_ptr<Gegenstelle>> melder;
        std::vector<QProcess*> kopien;
        for (const QString& name : benutzer) {
            melder.push_back(std::make_unique<Gegenstelle>(
                temp.file(s("run/%1-%2.melder").arg(name).arg(runde))));
            kopien.push_back(&starten(name, argumente(s("reservierung"), *melder.back(), name,
                                                      {s("--antworten=1"), s("--auf-los")})));
        }
        for (const auto& m : melder) {
            EXPECT_TRUE(m->zeile().startsWith(s("argumente ")));
            EXPECT_EQ(m->zeile(), s("bereit"));
        }
        for (const auto& m : melder)
            m->senden("los");

        QStringList mitSchreibrecht;
        QStringList fragen;
        for (std::size_t i = 0; i < melder.size(); ++i) {
            QString zeile = melder[i]->zeile();
            if (zeile.startsWith(s("frage "))) {
                fragen.append(zeile);
                zeile = melder[i]->zeile();
            }
            if (zeile == u"schreiben")
                mitSchreibrecht.append(benutzer.at(static_cast<qsizetype>(i)));
            else
                EXPECT_EQ(zeile, s("lesen"));
        }
        ASSERT_EQ(mitSchreibrecht.size(), 1) << mitSchreibrecht.join(u',').toStdString();
        // The other one was told who holds the folder, and the file names the holder.
        ASSERT_EQ(fragen.size(), 1);
        EXPECT_TRUE(fragen.at(0).contains(s(" von ") + mitSchreibrecht.at(0) + s(" genutzt.")))
            << fragen.at(0).toStdString();
        EXPECT_EQ(netWatch(s("UserJetzt_"), s("User")), mitSchreibrecht.at(0));

        for (std::size_t i = 0; i < melder.size(); ++i) {
            melder[i]->senden("ende");
            EXPECT_EQ(melder[i]->zeile(), s("ende"));
            beendet(*kopien[i]);
        }
    }
    EXPECT_FALSE(temp.exists(s("daten/.NetWatch.ini.lock")));
}

TEST_F(Prozesse, aSecondCopyOfTheSameUserBringsTheFirstToTheFrontAndEnds)
{
    Gegenstelle erste(temp.file(s("run/erste.melder")));
    QProcess& ersteKopie = starten(s("Anna"), argumente(s("instanz"), erste, s("Anna")));
    EXPECT_TRUE(erste.zeile().startsWith(s("argumente ")));
    EXPECT_EQ(erste.zeile(), s("läuft"));
    EXPECT_EQ(netWatch(s("Allgemein"), s("NoInstanceWatch")), s("<fehlt>"));

    Gegenstelle zweite(temp.file(s("run/zweite.melder")));
    QProcess& zweiteKopie = starten(s("Anna"), argumente(s("instanz"), zweite, s("Anna")));
    EXPECT_TRUE(zweite.zeile().startsWith(s("argumente ")));
    EXPECT_EQ(zweite.zeile(), s("ende"));
    beendet(zweiteKopie);
    EXPECT_EQ(erste.zeile(), s("aktiviert"));

    erste.senden("ende");
    EXPECT_EQ(erste.zeile(), s("ende"));
    beendet(ersteKopie);
    EXPECT_FALSE(temp.exists(s("run/Korvanel.instanz")));
}

TEST_F(Prozesse, ofThreeCopiesOfOneUserStartedTogetherExactlyOneKeepsRunning)
{
    for (int runde = 1; runde <= 20; ++runde) {
        SCOPED_TRACE(runde);
        std::vector<std::unique_ptr<Gegenstelle>> melder;
        std::vector<QProcess*> kopien;
        for (int i = 0; i < 3; ++i) {
            melder.push_back(std::make_unique<Gegenstelle>(
                temp.file(s("run/kopie%1-%2.melder").arg(i).arg(runde))));
            kopien.push_back(&starten(
                s("Anna"), argumente(s("instanz"), *melder.back(), s("Anna"), {s("--auf-los")})));
        }
        for (const auto& m : melder) {
            EXPECT_TRUE(m->zeile().startsWith(s("argumente ")));
            EXPECT_EQ(m->zeile(), s("bereit"));
        }
        for (const auto& m : melder)
            m->senden("los");

        std::vector<std::size_t> laufende;
        for (std::size_t i = 0; i < melder.size(); ++i) {
            const QString zeile = melder[i]->zeile();
            if (zeile == u"läuft")
                laufende.push_back(i);
            else
                EXPECT_EQ(zeile, s("ende"));
        }
        ASSERT_EQ(laufende.size(), 1u);
        for (std::size_t i = 0; i < melder.size(); ++i) {
            if (i != laufende.front())
                beendet(*kopien[i]);
        }

        // The copy that runs was brought to the front, and ends when told.
        Gegenstelle& laeufer = *melder[laufende.front()];
        EXPECT_EQ(laeufer.zeile(), s("aktiviert"));
        laeufer.senden("ende");
        QString zeile;
        do
            zeile = laeufer.zeile();
        while (zeile == u"aktiviert");
        EXPECT_EQ(zeile, s("ende"));
        beendet(*kopien[laufende.front()]);
    }
    EXPECT_FALSE(temp.exists(s("run/Korvanel.instanz")));
}

TEST_F(Prozesse, aCopyThatWasKilledLeavesNothingThatKeepsTheNextFromRunning)
{
    Gegenstelle erste(temp.file(s("run/erste.melder")));
    QProcess& ersteKopie = starten(s("Anna"), argumente(s("instanz"), erste, s("Anna")));
    EXPECT_TRUE(erste.zeile().startsWith(s("argumente ")));
    EXPECT_EQ(erste.zeile(), s("läuft"));
    ersteKopie.kill();
    ASSERT_TRUE(ersteKopie.waitForFinished(frist));
    // Its socket and its lock are still there.
    EXPECT_TRUE(temp.exists(s("run/Korvanel.instanz")));
    EXPECT_TRUE(temp.exists(s("run/Korvanel.instanz.lck")));

    Gegenstelle zweite(temp.file(s("run/zweite.melder")));
    QProcess& zweiteKopie = starten(s("Anna"), argumente(s("instanz"), zweite, s("Anna")));
    EXPECT_TRUE(zweite.zeile().startsWith(s("argumente ")));
    EXPECT_EQ(zweite.zeile(), s("läuft"));
    zweite.senden("ende");
    EXPECT_EQ(zweite.zeile(), s("ende"));
    beendet(zweiteKopie);
    EXPECT_FALSE(temp.exists(s("run/Korvanel.instanz")));
    EXPECT_FALSE(temp.exists(s("run/Korvanel.instanz.lck")));
}

TEST_F(Prozesse, withNoInstanceWatchOneBothCopiesRun)
{
    netWatchSchreiben(s("Allgemein"), s("NoInstanceWatch"), s("1"));
    Gegenstelle erste(temp.file(s("run/erste.melder")));
    Gegenstelle zweite(temp.file(s("run/zweite.melder")));
    QProcess& ersteKopie = starten(s("Anna"), argumente(s("instanz"), erste, s("Anna")));
    EXPECT_TRUE(erste.zeile().startsWith(s("argumente ")));
    EXPECT_EQ(erste.zeile(), s("läuft"));
    QProcess& zweiteKopie = starten(s("Anna"), argumente(s("instanz"), zweite, s("Anna")));
    EXPECT_TRUE(zweite.zeile().startsWith(s("argumente ")));
    EXPECT_EQ(zweite.zeile(), s("läuft"));

    EXPECT_EQ(ersteKopie.state(), QProcess::Running);
    erste.senden("ende");
    zweite.senden("ende");
    EXPECT_EQ(erste.zeile(), s("ende"));
    EXPECT_EQ(zweite.zeile(), s("ende"));
    beendet(ersteKopie);
    beendet(zweiteKopie);
}

} // namespace
