#pragma once
// A word processor for the tests of the hand-over: the programs are recorded as FakeProcesses
// records them, and a program started with a file (its last argument) runs a small shell script
// on that file at once, as the word processor that opens it, changes it and saves it.
//
//   InstalledFake<FakeWordProcessor> textverarbeitung{platform::setProcesses};
//   textverarbeitung.script = "printf 'Neu\\n' > \"$1\"";       // "$1" is the file
//   ... hand-over ...
//   EXPECT_EQ(textverarbeitung.opened[0], QByteArray("\xEF\xBB\xBF" "Alt\r\n"));
//
// Without a script the word processor only opens the file (and has not saved it yet).
#include "support/fake_processes.h"
#include "support/temp_folder.h"

#include <QByteArray>
#include <QProcess>

#include <gtest/gtest.h>

#include <vector>

class FakeWordProcessor : public FakeProcesses {
public:
    // sh script run with the file as "$1"; "" = none.
    QByteArray script;
    // The bytes of the file as each started program found it.
    std::vector<QByteArray> opened;

    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        const bool started = FakeProcesses::startDetached(program, arguments);
        if (started && !arguments.isEmpty()) {
            opened.push_back(readFileBytes(arguments.back()));
            if (!script.isEmpty()) {
                const int rc = QProcess::execute(
                    QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QString::fromUtf8(script), QStringLiteral("sh"),
                     arguments.back()});
                EXPECT_EQ(rc, 0) << "the word processor's script failed";
            }
        }
        return started;
    }
};
