#include "proper_case_hook.h"

#include "runtime/strings.h"

namespace foundation {

namespace {
WorteGrossSchreibenFunktion& eingesetzt()
{
    static WorteGrossSchreibenFunktion function;
    return function;
}
} // namespace

void setWorteGrossSchreiben(WorteGrossSchreibenFunktion function)
{
    eingesetzt() = std::move(function);
}

QString worteGrossSchreiben(const QString& text)
{
    if (eingesetzt())
        return eingesetzt()(text);
    return rt::ProperCase(text);
}

} // namespace foundation
