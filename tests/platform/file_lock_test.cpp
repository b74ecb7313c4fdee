// Several processes on one INI file: the lock beside the file keeps their read-change-writes
// apart.
#include "platform/file_lock.h"
#include "platform/ini_file.h"

#include "runtime/error.h"
#include "support/qt_print.h"
#include "support/small_disk.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace ini = platform::ini;
using platform::FileLock;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Long enough for processes under the sanitizers; never waited for when all is well.
constexpr int frist = 120000;

// One copy of the driver, started and waiting for "los".
std::unique_ptr<QProcess> treiber(const QStringList& argumente, const char* meldung)
{
    auto prozess = std::make_unique<QProcess>();
    prozess->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    prozess->start(s(KORVANEL_INI_TREIBER), argumente);
    EXPECT_TRUE(prozess->waitForStarted(frist));
    while (!prozess->canReadLine() && prozess->waitForReadyRead(frist)) {
    }
    EXPECT_EQ(QString::fromUtf8(prozess->readLine()).trimmed(), s(meldung));
    return prozess;
}

TEST(FileLock, twoProcessesWritingOneIniFileAtTheSameMomentLoseNoKey)
{
    // On a file system in memory where the test may mount one: a thousand synced writes to a
    // real disk take half a minute.
    TempFolder temp;
    SmallDisk disk(16 * 1024 * 1024, 1024);
    const QString folder = disk.mounted() ? disk.path() : temp.path();
    const QString file = folder + s("/Brisol.ini");
    temp.write(s("Brisol.ini"), "; geteilt\r\n[Korvanel]\r\nalt=1\r\n");
    ASSERT_TRUE(folder == temp.path() || QFile::copy(temp.file(s("Brisol.ini")), file));
    // Enough writes that the two copies meet many times. A copy that waits for the other's lock
    // longer than twice the stale time goes on without it (FileLock), so the whole run must stay
    // far below that even on a loaded machine under the sanitizers.
    constexpr int anzahl = 150;

    std::array<std::unique_ptr<QProcess>, 2> kopien;
    const std::array<const char*, 2> praefixe{"a", "b"};
    for (std::size_t i = 0; i < kopien.size(); ++i)
        kopien[i] = treiber({s("schreiben"), file, s("Korvanel"), s(praefixe[i]),
                             QString::number(anzahl)},
                            "bereit");
    for (auto& kopie : kopien) {
        kopie->write("los\n");
        EXPECT_TRUE(kopie->waitForBytesWritten(frist));
    }
    for (auto& kopie : kopien) {
        EXPECT_TRUE(kopie->waitForFinished(frist));
        EXPECT_EQ(kopie->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(kopie->exitCode(), 0);
    }

    QStringList verloren;
    for (const char* praefix : praefixe) {
        for (int i = 0; i < anzahl; ++i) {
            const QString key = s(praefix) + QString::number(i);
            if (ini::read(file, s("Korvanel"), key) != QString::number(i))
                verloren.append(key);
        }
    }
    EXPECT_TRUE(verloren.isEmpty()) << verloren.join(u' ').toStdString();
    EXPECT_EQ(ini::read(file, s("Korvanel"), s("alt")), s("1"));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("; geteilt\r\n[Korvanel]\r\nalt=1\r\n"));
    EXPECT_FALSE(QFileInfo::exists(FileLock::lockPathOf(file)));
}

TEST(FileLock, lockOfACrashedProcessIsTakenOverAtOnce)
{
    TempFolder temp;
    temp.write(s("Brisol.ini"), "[Korvanel]\r\nx=1\r\n");
    const QString file = temp.file(s("Brisol.ini"));
    auto kopie = treiber({s("sperren"), file}, "gesperrt");
    kopie->kill();
    EXPECT_TRUE(kopie->waitForFinished(frist));
    ASSERT_TRUE(QFileInfo::exists(FileLock::lockPathOf(file)));

    {
        const FileLock lock(file);
        EXPECT_TRUE(lock.held());
    }
    EXPECT_FALSE(QFileInfo::exists(FileLock::lockPathOf(file)));
    EXPECT_TRUE(ini::write(file, s("Korvanel"), s("x"), s("2")));
    EXPECT_EQ(temp.read(s("Brisol.ini")), QByteArray("[Korvanel]\r\nx=2\r\n"));
}

TEST(FileLock, lockHeldByThisThreadIsTakenAgainAtOnceInAnySpelling)
{
    TempFolder temp;
    temp.write(s("Brisol.ini"), "[Korvanel]\r\nx=1\r\n");
    const QString file = temp.file(s("Brisol.ini"));
    {
        // A short stale time: without nesting the inner lock would give up quickly instead of
        // waiting for the outer one.
        const FileLock outer(file, 50);
        ASSERT_TRUE(outer.held());
        {
            const FileLock inner(temp.file(s("BRISOL.INI")), 50);
            EXPECT_TRUE(inner.held());
            EXPECT_TRUE(ini::write(temp.file(s("brisol.ini")), s("Korvanel"), s("x"), s("2")));
        }
        EXPECT_TRUE(QFileInfo::exists(FileLock::lockPathOf(file)));
    }
    EXPECT_FALSE(QFileInfo::exists(FileLock::lockPathOf(file)));
    EXPECT_EQ(temp.read(s("Brisol.ini")), QByteArray("[Korvanel]\r\nx=2\r\n"));
}

} // namespace
