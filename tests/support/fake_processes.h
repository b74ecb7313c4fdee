#pragma once
// Programs recorded instead of started.
//
//   FakeProcesses processes;
//   ScopedService guard(platform::setProcesses, &processes);
//   ... code under test ...
//   EXPECT_EQ(processes.started()[0], (QStringList{"/bin/sh", "/tmp/Restart.sh"}));
#include "platform/processes.h"

#include <vector>

class FakeProcesses : public platform::Processes {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        started_.push_back(QStringList{program} + arguments);
        return answer_;
    }

    // Each entry: the program, then its arguments.
    const std::vector<QStringList>& started() const { return started_; }
    // Whether the next starts succeed (default: yes).
    void setAnswer(bool answer) { answer_ = answer; }

private:
    std::vector<QStringList> started_;
    bool answer_ = true;
};
