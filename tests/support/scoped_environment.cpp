#include "scoped_environment.h"

#include <QtGlobal>

#include <algorithm>

ScopedEnvironment::~ScopedEnvironment()
{
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->wasSet)
            qputenv(it->name.constData(), it->value);
        else
            qunsetenv(it->name.constData());
    }
}

void ScopedEnvironment::set(const char* name, const QString& value)
{
    remember(name);
    qputenv(name, value.toLocal8Bit());
}

void ScopedEnvironment::unset(const char* name)
{
    remember(name);
    qunsetenv(name);
}

void ScopedEnvironment::remember(const char* name)
{
    const QByteArray key(name);
    if (std::any_of(saved_.begin(), saved_.end(), [&](const Saved& s) { return s.name == key; }))
        return;
    saved_.push_back({key, qEnvironmentVariableIsSet(name), qgetenv(name)});
}
