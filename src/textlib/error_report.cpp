#include "error_report.h"

#include <utility>

namespace textlib {

namespace {

FehlerBehandlungHook& hook()
{
    static FehlerBehandlungHook h;
    return h;
}

} // namespace

void setFehlerBehandlungHook(FehlerBehandlungHook h)
{
    hook() = std::move(h);
}

int fehlerMelden(int errorNumber, const QString& text)
{
    if (!hook())
        return 2;
    return hook()(errorNumber, text);
}

} // namespace textlib
