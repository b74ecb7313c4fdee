#pragma once
// A program end that throws ProgramEndedException, so that nothing after the call runs and the
// test can check what happened before it.
//
//   FakeProgramEnd end;
//   ScopedService guard(platform::setProgramEnd, &end);
//   EXPECT_THROW(handler(), ProgramEndedException);
//
// Handlers that end the program are called directly by tests, never from Qt's event loop (an
// exception must not cross it).
#include "platform/program_end.h"

class ProgramEndedException {
public:
    explicit ProgramEndedException(int exitCode) : exitCode_(exitCode) {}
    int exitCode() const { return exitCode_; }

private:
    int exitCode_;
};

class FakeProgramEnd : public platform::ProgramEnd {
public:
    [[noreturn]] void end(int exitCode) override;

    int endCalls() const { return endCalls_; }
    int lastExitCode() const { return lastExitCode_; }

private:
    int endCalls_ = 0;
    int lastExitCode_ = -1;
};
