#pragma once
// System beeps (in place of MessageBeep) and wave files played in the background (in place of
// sndPlaySound with its asynchronous flag). Which name stands for which sound is not decided
// here.
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// The beep types of the message boxes.
inline constexpr int beepSimple = 0;
inline constexpr int beepHand = 16;
inline constexpr int beepQuestion = 32;
inline constexpr int beepExclamation = 48;
inline constexpr int beepAsterisk = 64;

class Sound {
public:
    virtual ~Sound() = default;

    // The system beep; returns at once. The desktop has one beep for every type.
    virtual void beep(int messageBeepType) = 0;
    // Starts playing the wave file (found without regard to case) and returns at once, true when
    // a player was started. Nothing is played when the file does not exist or no player is
    // installed; that is no error.
    virtual bool playWave(const QString& path) = 0;
};

Sound& sound();
Sound* setSound(Sound* replacement); // returns the one it replaces (nullptr: the real one)

// How a wave file is played: "paplay" (PulseAudio and PipeWire) when it is on the PATH, else
// "aplay" (ALSA), each with the file's absolute path as one argument (never through a shell);
// nullopt when neither is installed or the file does not exist.
struct WaveCommand {
    QString program;
    QStringList arguments;
};
std::optional<WaveCommand> waveCommand(const QString& path);

} // namespace platform
