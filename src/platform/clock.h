#pragma once
// The clock service: the only source of "now" and of elapsed time in the program.
#include "runtime/dates.h"

#include <QtGlobal>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;

    // The local date and time (VB's Now), a naive value without time zone.
    virtual rt::VbDate now() = 0;
    // Seconds since local midnight with fractions (VB's Timer).
    virtual double secondsSinceMidnight() = 0;
    // Milliseconds of a monotonic clock, for elapsed times (in place of GetTickCount). On Linux
    // it counts from the start of the system, as GetTickCount did, but it is 64 bits wide and
    // never wraps, so a difference of two ticks is never negative.
    virtual qint64 tick() = 0;
    // Waits milliseconds while the events of every window and the timers go on being processed
    // (in place of Sleep between DoEvents calls). A test clock moves its time on instead.
    virtual void sleep(qint64 milliseconds);
};

Clock& clock();
Clock* setClock(Clock* replacement); // returns the one it replaces (nullptr: the real one)

} // namespace platform
