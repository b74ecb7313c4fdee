#include "platform/processes.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// Lets the started program work until it has made the file; false when it has not after a
// minute (the test then fails instead of hanging).
bool fileAppears(const QString& path)
{
    QElapsedTimer seit;
    seit.start();
    while (!QFile::exists(path)) {
        if (seit.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

const QString shellText = QString::fromUtf8("$(touch boese) `touch boese` 'a' \"b\"; touch boese\n"
                                            "Zeile 2 Grüße");

TEST(Processes, theProgramGetsItsArgumentsUnchangedInItsWorkingFolder)
{
    ScopedService<Processes> real(setProcesses, nullptr);
    TempFolder temp;
    temp.makeFolder(QStringLiteral("Arbeits Ordner"));
    const QString ordner = temp.file(QStringLiteral("Arbeits Ordner"));
    const qint64 pid = processes().startIn(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"),
         QStringLiteral("pwd > ort.txt; printf '%s' \"$1\" > argument.txt; : > fertig"),
         QStringLiteral("sh"), shellText},
        ordner);
    EXPECT_GT(pid, 0);
    ASSERT_TRUE(fileAppears(temp.file(QStringLiteral("Arbeits Ordner/fertig"))));
    EXPECT_EQ(temp.read(QStringLiteral("Arbeits Ordner/ort.txt")), ordner.toUtf8() + "\n");
    EXPECT_EQ(temp.read(QStringLiteral("Arbeits Ordner/argument.txt")), shellText.toUtf8());
    EXPECT_FALSE(temp.exists(QStringLiteral("Arbeits Ordner/boese")));
    EXPECT_NE(QDir::currentPath(), ordner);

    // A missing working folder or program starts nothing.
    EXPECT_EQ(processes().startIn(QStringLiteral("/bin/sh"), {}, temp.file(QStringLiteral("fehlt"))), 0);
    EXPECT_EQ(processes().startIn(temp.file(QStringLiteral("fehlt")), {}, QString()), 0);
    EXPECT_EQ(processes().startIn(QString(), {}, QString()), 0);
    EXPECT_FALSE(processes().startDetached(QStringLiteral("kein-solches-programm-xyz"), {}));
}

TEST(Processes, startAndWaitSeesTheEndOfTheProgram)
{
    ScopedService<Processes> real(setProcesses, nullptr);
    EXPECT_EQ(processes().startAndWait(QStringLiteral("/bin/sh"),
                                       {QStringLiteral("-c"), QStringLiteral("exit 3")}, 600000),
              WaitResult::Ended);
    EXPECT_EQ(processes().startAndWait(QStringLiteral("kein-solches-programm-xyz"), {}, 600000),
              WaitResult::NotStarted);
}

TEST(Processes, whileWaitingTheEventsGoOnAndAProgramOverTimeIsLeftRunning)
{
    ScopedService<Processes> real(setProcesses, nullptr);
    TempFolder temp;
    FakeClock clock;
    ScopedService clockGuard(setClock, &clock);
    const QString stopp = temp.file(QStringLiteral("stopp"));
    const QString ende = temp.file(QStringLiteral("ende"));

    bool timerFired = false;
    QTimer::singleShot(0, [&timerFired] { timerFired = true; });
    const qint64 start = clock.tick();
    EXPECT_EQ(processes().startAndWait(
                  QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"),
                   QStringLiteral("while [ ! -e \"$1\" ]; do sleep 0.02; done; : > \"$2\""),
                   QStringLiteral("sh"), stopp, ende},
                  1000),
              WaitResult::TimedOut);
    EXPECT_GE(clock.tick() - start, 1000);
    EXPECT_TRUE(timerFired);

    // Still running: it finishes its work once told to.
    temp.write(QStringLiteral("stopp"), "");
    EXPECT_TRUE(fileAppears(ende));
}

TEST(Processes, programFoundLooksInThePathOrAtTheFile)
{
    TempFolder temp;
    temp.write(QStringLiteral("Mein Prog/prog"), "#!/bin/sh\n");
    QFile::setPermissions(temp.file(QStringLiteral("Mein Prog/prog")),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    temp.write(QStringLiteral("text.txt"), "x");
    struct Row {
        QString program;
        bool found;
    };
    const Row rows[] = {
        {QStringLiteral("sh"), true},
        {QStringLiteral("/bin/sh"), true},
        {temp.file(QStringLiteral("Mein Prog/prog")), true},
        {temp.file(QStringLiteral("MEIN PROG/Prog")), true},
        {temp.file(QStringLiteral("text.txt")), false}, // not executable
        {temp.file(QStringLiteral("Mein Prog")), false}, // a folder
        {QStringLiteral("NotePad.exe"), false},
        {QString(), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.program.toStdString());
        EXPECT_EQ(programFound(row.program), row.found);
    }
    EXPECT_EQ(programPath(temp.file(QStringLiteral("MEIN PROG/Prog"))),
              temp.file(QStringLiteral("Mein Prog/prog")));
    EXPECT_EQ(programPath(QStringLiteral("xdg-open")), QStringLiteral("xdg-open"));
}

} // namespace
