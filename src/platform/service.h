#pragma once
// One instance per service: the real implementation unless a test (or main()) installs another.
//
//   class Clock { ... };                         // the interface
//   Clock& clock();                              // the one in use
//   Clock* setClock(Clock* replacement);         // not owning; nullptr goes back to the real one;
//                                                // returns the replacement it replaces
//
// Each service header declares that pair; service.cpp files implement it with ServiceSlot.
#include <memory>

namespace platform {

template <class Interface>
class ServiceSlot {
public:
    using Factory = std::unique_ptr<Interface> (*)();

    explicit ServiceSlot(Factory makeReal) : makeReal_(makeReal) {}

    Interface& get()
    {
        if (replacement_)
            return *replacement_;
        if (!real_)
            real_ = makeReal_();
        return *real_;
    }

    Interface* set(Interface* replacement)
    {
        Interface* previous = replacement_;
        replacement_ = replacement;
        return previous;
    }

private:
    Factory makeReal_;
    std::unique_ptr<Interface> real_;
    Interface* replacement_ = nullptr;
};

} // namespace platform
