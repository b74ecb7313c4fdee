#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/instance_guard.h"
#include "foundation/read_only.h"
#include "platform/command_line_text.h"
#include "support/fake_program_end.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>

using foundation::InstanzWaechter;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A data folder of its own and a runtime folder of its own, so that the guard of this test
// meets no other copy than the one the test plays.
class Instanz : public ::testing::Test {
protected:
    Instanz()
    {
        folders.temp().makeFolder(s("daten"));
        folders.temp().makeFolder(s("run"));
        // A runtime folder belongs to its user alone.
        folders.temp().setPermissions(s("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
        folders.env().set("XDG_RUNTIME_DIR", folders.temp().file(s("run")));
        platform::setCommandLine({s("/OrdnerDat=") + folders.temp().file(s("daten"))});
        foundation::OrdnerFestlegen();
        foundation::resetInstanzWaechter();
    }
    ~Instanz() override { foundation::resetInstanzWaechter(); }

    QString netWatchDatei() const { return folders.temp().file(s("daten/NetWatch.ini")); }
    QString noInstanceWatch() const
    {
        return foundation::IniLesen(netWatchDatei(), s("Allgemein"), s("NoInstanceWatch"),
                                    s("<fehlt>"));
    }
    void setzeNoInstanceWatch(const QByteArray& zeile) const
    {
        folders.temp().write(s("daten/NetWatch.ini"), "[Allgemein]\r\n" + zeile + "\r\n");
    }
    // What the running copy (played by the test) was asked; "" when nobody came.
    static QByteArray gefragt(QLocalServer& laufendeKopie)
    {
        // The program end lets events run, so the connection may be taken in already.
        if (!laufendeKopie.hasPendingConnections() && !laufendeKopie.waitForNewConnection(5000))
            return QByteArray();
        std::unique_ptr<QLocalSocket> verbindung(laufendeKopie.nextPendingConnection());
        while (!verbindung->canReadLine() && verbindung->waitForReadyRead(5000)) {
        }
        return verbindung->readLine();
    }

    TempSettingsFolders folders;
    FakeProgramEnd ende;
    ScopedService<platform::ProgramEnd> endeGuard{platform::setProgramEnd, &ende};
};

TEST_F(Instanz, theSocketLiesInTheUsersRuntimeFolder)
{
    EXPECT_EQ(foundation::instanzSocketName(), folders.temp().file(s("run/Korvanel.instanz")));
    folders.env().unset("XDG_RUNTIME_DIR");
    EXPECT_TRUE(foundation::instanzSocketName().endsWith(
        s("/Korvanel-") + QString::number(getuid()) + s(".instanz")));
}

TEST_F(Instanz, theFirstCopyRunsOnAndIsFoundByTheNext)
{
    InstanzWaechter();
    // Only read: the copy does not know yet whether it may write into the data folder.
    EXPECT_EQ(noInstanceWatch(), s("<fehlt>"));
    EXPECT_EQ(ende.endCalls(), 0);

    QLocalSocket naechste;
    naechste.connectToServer(foundation::instanzSocketName());
    EXPECT_TRUE(naechste.waitForConnected(5000));
    naechste.abort();

    foundation::resetInstanzWaechter();
    EXPECT_FALSE(QFile::exists(foundation::instanzSocketName()));
}

TEST_F(Instanz, aLaterCopyActivatesTheRunningOneAndEndsUnlessNoInstanceWatchIsOne)
{
    struct Row {
        const char* name;
        QByteArray zeile; // [Allgemein] line of NetWatch.ini; empty for no file
        bool endet;
    };
    const Row rows[] = {
        {"no NetWatch.ini", QByteArray(), true},
        {"NoInstanceWatch=0", "NoInstanceWatch=0", true},
        {"NoInstanceWatch=2", "NoInstanceWatch=2", true},
        {"NoInstanceWatch=1.5", "NoInstanceWatch=1.5", true},
        {"NoInstanceWatch=1", "NoInstanceWatch=1", false},
        {"NoInstanceWatch=1 with a remark", "NoInstanceWatch=1 (zwei Kopien)", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.zeile.isEmpty())
            QFile::remove(netWatchDatei());
        else
            setzeNoInstanceWatch(row.zeile);
        QLocalServer laufendeKopie;
        ASSERT_TRUE(laufendeKopie.listen(foundation::instanzSocketName()));
        const int endeVorher = ende.endCalls();

        if (row.endet)
            EXPECT_THROW(InstanzWaechter(), ProgramEndedException);
        else
            EXPECT_NO_THROW(InstanzWaechter());

        EXPECT_EQ(ende.endCalls(), endeVorher + (row.endet ? 1 : 0));
        if (row.endet) {
            EXPECT_EQ(gefragt(laufendeKopie), QByteArray("aktivieren\n"));
        } else {
            EXPECT_FALSE(laufendeKopie.hasPendingConnections());
        }
        foundation::resetInstanzWaechter();
    }
}

TEST_F(Instanz, aSocketLeftByACopyThatDiedDoesNotBlock)
{
    // A bound socket file whose process is gone: nobody accepts on it.
    const QByteArray pfad = QFile::encodeName(foundation::instanzSocketName());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    std::memcpy(adresse.sun_path, pfad.constData(), static_cast<std::size_t>(pfad.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(foundation::instanzSocketName()));

    InstanzWaechter();

    EXPECT_EQ(ende.endCalls(), 0);
    QLocalSocket naechste;
    naechste.connectToServer(foundation::instanzSocketName());
    EXPECT_TRUE(naechste.waitForConnected(5000));
}

// ---------------------------------------------------------------------------------------------
// FernSchliessenFlag

TEST_F(Instanz, theRemoteCloseFlagIsDeletedAndTheComputersOnlyWhenThePlainOneIsNowhere)
{
    folders.env().set("COMPUTERNAME", s("PC-ANNA"));
    const QString plain = s("Korvanel_RmtClose$DoIt.flg");
    const QString rechner = s("Korvanel_PC-ANNA_RmtClose$DoIt.flg");
    struct Row {
        const char* name;
        QStringList vorher; // relative to the temporary folder
        bool nurLesen;
        QStringList nachher;
    };
    const Row rows[] = {
        {"plain flag in the data folder", {s("daten/") + plain}, false, {}},
        {"plain flag in the program folder, the computer's in the data folder",
         {s("program/") + plain, s("daten/") + rechner}, false, {s("daten/") + rechner}},
        {"only the computer's flag", {s("program/") + rechner}, false, {}},
        {"plain flag in any case", {s("daten/korvanel_rmtclose$doit.FLG")}, false, {}},
        {"read-only: a flag in the data folder stays", {s("daten/") + plain}, true,
         {s("daten/") + plain}},
        {"read-only: a flag in the program folder goes", {s("program/") + plain}, true, {}},
        {"no flag", {}, false, {}},
    };
    const QStringList alle = {s("daten/") + plain, s("daten/") + rechner,
                              s("program/") + plain, s("program/") + rechner,
                              s("daten/korvanel_rmtclose$doit.FLG")};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const QString& datei : row.vorher)
            folders.temp().write(datei, "");
        foundation::nurLesen = row.nurLesen;

        EXPECT_EQ(foundation::FernSchliessenFlag(0), 0);

        for (const QString& datei : alle) {
            SCOPED_TRACE(datei.toStdString());
            EXPECT_EQ(folders.temp().exists(datei), row.nachher.contains(datei));
            QFile::remove(folders.temp().file(datei));
        }
        foundation::resetNurLesen();
    }
}

} // namespace
