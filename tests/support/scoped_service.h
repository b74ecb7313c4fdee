#pragma once
// Installs a fake service for the lifetime of the guard and puts the previous state back.
//
//   FakeClock clock;
//   ScopedService guard(platform::setClock, &clock);
//
// A fixture that keeps the fake as a member installs it in one go:
//
//   InstalledFake<FakeClock> clock{platform::setClock, rt::dateTimeOf(2024, 3, 5, 12, 0)};
//   clock.advance(...);   // it is the fake itself

#include <functional>
#include <utility>

template <class Interface>
class ScopedService {
public:
    using Setter = Interface* (*)(Interface*);
    ScopedService(Setter set, Interface* fake) : set_(set), previous_(set(fake)) {}
    ~ScopedService() { set_(previous_); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Setter set_;
    Interface* previous_;
};

// The interface comes from the setter, so that a fake (a class derived from it) fits.
template <class Interface, class Fake>
ScopedService(Interface* (*)(Interface*), Fake*) -> ScopedService<Interface>;

// The fake, built from the arguments after the setter, installed through the setter once it is
// built; the previous service is put back before the fake goes.
template <class Fake>
class InstalledFake : public Fake {
public:
    template <class Interface, class... Args>
    explicit InstalledFake(Interface* (*set)(Interface*), Args&&... args)
        : Fake(std::forward<Args>(args)...)
    {
        Interface* previous = set(this);
        restore_ = [set, previous] { set(previous); };
    }
    ~InstalledFake() override { restore_(); }
    InstalledFake(const InstalledFake&) = delete;
    InstalledFake& operator=(const InstalledFake&) = delete;

private:
    std::function<void()> restore_;
};
