#pragma once
// Help calls recorded instead of shown.
//
//   FakeHelp help;
//   ScopedService guard(platform::setHelp, &help);
//   ... code under test ...
//   ASSERT_EQ(help.calls().size(), 1u);
//   EXPECT_EQ(help.calls()[0], (FakeHelp::Call{FakeHelp::Kind::ShowTopic, file, 4004}));
//
// The help counts as there unless the test says otherwise (setAvailable(false)); showTopic
// answers as the real service does: false for missing help or a context below 0.
#include "platform/help.h"

#include <QString>

#include <vector>

class FakeHelp : public platform::Help {
public:
    enum class Kind { ShowTopic, CloseAll };

    struct Call {
        Kind kind = Kind::ShowTopic;
        QString file;
        int context = 0;
        friend bool operator==(const Call&, const Call&) = default;
    };

    bool available(const QString& /*helpFile*/) override { return available_; }
    bool showTopic(const QString& helpFile, int context) override
    {
        calls_.push_back({Kind::ShowTopic, helpFile, context});
        return available_ && context >= 0;
    }
    void closeAll() override { calls_.push_back({Kind::CloseAll, {}, 0}); }

    void setAvailable(bool available) { available_ = available; }
    const std::vector<Call>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

private:
    bool available_ = true;
    std::vector<Call> calls_;
};
