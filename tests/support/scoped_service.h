#pragma once
// Installs a fake service for the lifetime of the guard and puts the previous state back.
//
//   FakeClock clock;
//   ScopedService guard(platform::setClock, &clock);

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
