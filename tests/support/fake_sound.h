#pragma once
// Sounds recorded instead of heard: the beep types and the wave files, in order.
//
//   FakeSound sound;
//   ScopedService guard(platform::setSound, &sound);
//   ... code under test ...
//   EXPECT_EQ(sound.beeps(), (std::vector<int>{platform::beepHand}));
//   EXPECT_TRUE(sound.waves().isEmpty());
//
// playWave records every call, also of a file that does not exist, and answers whether the file
// exists (found without regard to case), as the real service would when a player is installed.
#include "platform/sound.h"

#include <QStringList>

#include <vector>

class FakeSound : public platform::Sound {
public:
    void beep(int messageBeepType) override { beeps_.push_back(messageBeepType); }
    bool playWave(const QString& path) override;

    const std::vector<int>& beeps() const { return beeps_; }
    const QStringList& waves() const { return waves_; }
    void clear()
    {
        beeps_.clear();
        waves_.clear();
    }

private:
    std::vector<int> beeps_;
    QStringList waves_;
};
