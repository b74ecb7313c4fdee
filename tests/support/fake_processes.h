#pragma once
// Programs recorded instead of started.
//
//   FakeProcesses processes;
//   ScopedService guard(platform::setProcesses, &processes);
//   ... code under test ...
//   EXPECT_EQ(processes.started()[0], (QStringList{"/bin/sh", "/tmp/Restart.sh"}));
//   EXPECT_EQ(processes.starts()[0].workingFolder, "/home/anna");
#include "platform/processes.h"

#include <vector>

class FakeProcesses : public platform::Processes {
public:
    // One start in detail.
    struct Start {
        QStringList command;   // the program, then its arguments
        QString workingFolder; // "" = the current folder
        bool waited = false;   // started through startAndWait
        qint64 timeoutMs = 0;  // the time startAndWait was given
    };

    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        return record(program, arguments, QString(), false, 0);
    }

    qint64 startIn(const QString& program, const QStringList& arguments,
                   const QString& workingFolder) override
    {
        return record(program, arguments, workingFolder, false, 0) ? nextPid_++ : 0;
    }

    platform::WaitResult startAndWait(const QString& program, const QStringList& arguments,
                                      qint64 timeoutMs) override
    {
        if (!record(program, arguments, QString(), true, timeoutMs))
            return platform::WaitResult::NotStarted;
        return waitResult_;
    }

    // Each entry: the program, then its arguments, of every start of any kind.
    const std::vector<QStringList>& started() const { return started_; }
    const std::vector<Start>& starts() const { return starts_; }
    // Whether the next starts succeed (default: yes).
    void setAnswer(bool answer) { answer_ = answer; }
    // Only starts of this program fail (""= none): a program that is not installed.
    void setMissingProgram(const QString& program) { missing_ = program; }
    // How a started wait ends (default: the program ended in time).
    void setWaitResult(platform::WaitResult result) { waitResult_ = result; }

private:
    bool record(const QString& program, const QStringList& arguments,
                const QString& workingFolder, bool waited, qint64 timeoutMs)
    {
        started_.push_back(QStringList{program} + arguments);
        starts_.push_back(Start{QStringList{program} + arguments, workingFolder, waited, timeoutMs});
        return answer_ && (missing_.isEmpty() || program != missing_);
    }

    std::vector<QStringList> started_;
    std::vector<Start> starts_;
    bool answer_ = true;
    QString missing_;
    platform::WaitResult waitResult_ = platform::WaitResult::Ended;
    qint64 nextPid_ = 4711;
};
