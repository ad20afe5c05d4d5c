#include "ui/PlaySound.h"

#include "SoundRecorder.h"

#include <gtest/gtest.h>

#include <QTimer>

namespace {

// The tick, a 0.09-second WAVE built into this test program, and a resource
// that is no WAVE file at all.
constexpr int kTick = 254;
constexpr int kDamaged = 9;

HMODULE TestProgram()
{
    static const int anchor = 0;
    return GetModuleFromAddress(&anchor);
}

TEST(PlaySoundTest, PlaysTheModulesWaveResourceEachTimeItIsAsked)
{
    SoundRecorder recorder;
    EXPECT_TRUE(PlaySound(kTick, TestProgram(), SND_RESOURCE | SND_ASYNC));
    // The next sound cuts the first one off; both were played.
    EXPECT_TRUE(PlaySound(kTick, TestProgram(), SND_RESOURCE | SND_ASYNC));
    EXPECT_TRUE(PlaySound(kTick, TestProgram(), SND_RESOURCE | SND_SYNC));
    ASSERT_EQ(recorder.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(recorder.WasResource(i, TestProgram(), kTick));
}

TEST(PlaySoundTest, MissingModuleOrResourceIsSilent)
{
    SoundRecorder recorder;
    EXPECT_FALSE(PlaySound(kTick, nullptr, SND_RESOURCE | SND_ASYNC));
    EXPECT_FALSE(PlaySound(4242, TestProgram(), SND_RESOURCE | SND_ASYNC));
    // A number is only ever a resource of ours.
    // SND_RESOURCE is two bits; either one alone names something else.
    for (const DWORD flags : {SND_ASYNC, SND_RESOURCE & 0xFFFF, SND_RESOURCE & 0xFFFF0000})
        EXPECT_FALSE(PlaySound(kTick, TestProgram(), flags)) << flags;
    EXPECT_EQ(recorder.Count(), 0);
}

// Whether or not the machine has a sound device, the audio output neither
// waits for a sound to end nor fails loudly, and never plays what is not a
// WAVE file. Waiting would mean running the event loop until the sound card
// is done, which a timer due at once would notice.
TEST(PlaySoundTest, TheAudioOutputNeverHoldsUpTheThread)
{
    QTimer due;
    due.setSingleShot(true);
    due.start(0);
    PlaySound(kTick, TestProgram(), SND_RESOURCE | SND_SYNC);
    PlaySound(kTick, TestProgram(), SND_RESOURCE | SND_ASYNC);
    EXPECT_TRUE(due.isActive());
    EXPECT_FALSE(PlaySound(kDamaged, TestProgram(), SND_RESOURCE | SND_ASYNC));
}

} // namespace
