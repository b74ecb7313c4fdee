#include "main_port.h"

namespace platform {

namespace {

MainPort*& current()
{
    static MainPort* port = nullptr;
    return port;
}

} // namespace

MainPort* mainPort()
{
    return current();
}

MainPort* setMainPort(MainPort* port)
{
    MainPort* previous = current();
    current() = port;
    return previous;
}

} // namespace platform
