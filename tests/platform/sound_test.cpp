#include "platform/sound.h"
#include "support/fake_sound.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A folder of stand-in players as the only PATH, for the lifetime of the fixture.
class WavePlayers : public ::testing::Test {
protected:
    WavePlayers() : savedPath_(qgetenv("PATH")) { qputenv("PATH", temp_.file("bin").toUtf8()); }
    ~WavePlayers() override { qputenv("PATH", savedPath_); }

    void install(const QString& program) const
    {
        temp_.write(QStringLiteral("bin/") + program, "#!/bin/sh\nexit 0\n");
        temp_.setPermissions(QStringLiteral("bin/") + program,
                             QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                 | QFileDevice::ExeOwner);
    }

    TempFolder temp_;

private:
    QByteArray savedPath_;
};

TEST_F(WavePlayers, pulseAudioPlayerComesBeforeAlsa)
{
    install(QStringLiteral("paplay"));
    install(QStringLiteral("aplay"));
    temp_.write(QStringLiteral("Klänge/Tür zu.wav"), "RIFF");

    const std::optional<WaveCommand> command =
        waveCommand(temp_.file(QStringLiteral("Klänge/Tür zu.wav")));
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, temp_.file(QStringLiteral("bin/paplay")));
    EXPECT_EQ(command->arguments, QStringList{temp_.file(QStringLiteral("Klänge/Tür zu.wav"))});
}

TEST_F(WavePlayers, alsaPlayerWhenItIsTheOnlyOne)
{
    install(QStringLiteral("aplay"));
    temp_.write(QStringLiteral("ding.wav"), "RIFF");

    const std::optional<WaveCommand> command = waveCommand(temp_.file(QStringLiteral("ding.wav")));
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, temp_.file(QStringLiteral("bin/aplay")));
    EXPECT_EQ(command->arguments,
              (QStringList{QStringLiteral("-q"), temp_.file(QStringLiteral("ding.wav"))}));
}

TEST_F(WavePlayers, fileIsFoundWithoutRegardToCaseAndPassedWithItsSpellingOnDisk)
{
    install(QStringLiteral("paplay"));
    temp_.write(QStringLiteral("Sounds/Ding.wav"), "RIFF");

    const std::optional<WaveCommand> command =
        waveCommand(temp_.file(QStringLiteral("SOUNDS/ding.WAV")));
    ASSERT_TRUE(command);
    EXPECT_EQ(command->arguments, QStringList{temp_.file(QStringLiteral("Sounds/Ding.wav"))});
}

TEST_F(WavePlayers, nothingToPlayWithoutFileOrPlayer)
{
    temp_.write(QStringLiteral("ding.wav"), "RIFF");
    temp_.makeFolder(QStringLiteral("ordner.wav"));
    EXPECT_FALSE(waveCommand(temp_.file(QStringLiteral("ding.wav")))) << "no player installed";

    install(QStringLiteral("paplay"));
    for (const QString& name : {QString(), temp_.file(QStringLiteral("fehlt.wav")),
                                temp_.file(QStringLiteral("ordner.wav"))}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(waveCommand(name));
    }

    ScopedService<Sound> real(setSound, nullptr);
    EXPECT_FALSE(sound().playWave(temp_.file(QStringLiteral("fehlt.wav"))));
}

TEST(Sound, fakeRecordsBeepsAndFilesInOrder)
{
    TempFolder temp;
    temp.write(QStringLiteral("da.wav"), "RIFF");
    FakeSound fake;
    ScopedService guard(setSound, &fake);

    sound().beep(beepHand);
    EXPECT_TRUE(sound().playWave(temp.file(QStringLiteral("DA.wav"))));
    EXPECT_FALSE(sound().playWave(temp.file(QStringLiteral("weg.wav"))));
    sound().beep(beepAsterisk);

    EXPECT_EQ(fake.beeps(), (std::vector<int>{beepHand, beepAsterisk}));
    EXPECT_EQ(fake.waves(), (QStringList{temp.file(QStringLiteral("DA.wav")),
                                         temp.file(QStringLiteral("weg.wav"))}));
}

} // namespace
