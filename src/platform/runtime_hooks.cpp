#include "runtime_hooks.h"

#include "clock.h"

namespace platform {

rt::VbDate todayForRuntime()
{
    return rt::fromDayAndFraction(rt::dayNumber(clock().now()), 0.0);
}

void installRuntimeHooks()
{
    rt::setTodayProvider(&todayForRuntime);
}

} // namespace platform
