#pragma once
// Sets or removes environment variables for the lifetime of the guard and puts every variable it
// touched back as it was.
//
//   ScopedEnvironment env;
//   env.set("XDG_CONFIG_HOME", temp.file("config"));
//   env.unset("TMPDIR");
#include <QByteArray>
#include <QString>

#include <vector>

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const char* name, const QString& value);
    void unset(const char* name);

private:
    void remember(const char* name);

    struct Saved {
        QByteArray name;
        bool wasSet = false;
        QByteArray value;
    };
    std::vector<Saved> saved_;
};
