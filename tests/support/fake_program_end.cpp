#include "fake_program_end.h"

void FakeProgramEnd::end(int exitCode)
{
    ++endCalls_;
    lastExitCode_ = exitCode;
    throw ProgramEndedException(exitCode);
}
