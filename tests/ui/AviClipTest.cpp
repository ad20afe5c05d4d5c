#include "ui/AnimateCtrl.h"

#include "AviBytes.h"

#include <gtest/gtest.h>

namespace {

bool Parse(const std::vector<unsigned char>& bytes, AviClip& clip)
{
    return ParseAviClip(bytes.data(), bytes.size(), clip);
}

TEST(AviClipTest, DecodesPaddedBottomUpRowsTopRowFirst)
{
    AviLayout layout;
    const auto bytes = AviBytes::Make(layout);
    // Give the bottom row of the first frame (stored first) its own colour.
    const std::size_t pixels = AviBytes::Find(bytes, "00db") + 8;
    auto painted = bytes;
    painted[pixels] = 0x10;     // blue
    painted[pixels + 1] = 0x20; // green
    painted[pixels + 2] = 0x30; // red

    AviClip clip;
    ASSERT_TRUE(Parse(painted, clip));
    EXPECT_EQ(clip.width, 3);
    EXPECT_EQ(clip.height, 2);
    EXPECT_EQ(clip.microsecondsPerFrame, 100000);
    ASSERT_EQ(clip.frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(clip.frames[i].size(), QSize(3, 2));
        EXPECT_EQ(clip.frames[i].pixel(2, 0), layout.frames[i]) << "frame " << i;
    }
    EXPECT_EQ(clip.frames[0].pixel(0, 1), qRgb(0x30, 0x20, 0x10));
    EXPECT_EQ(clip.frames[0].pixel(0, 0), layout.frames[0]);
}

TEST(AviClipTest, AcceptsCompressedChunkNamesAndTakesTheRateFromTheStream)
{
    AviLayout layout;
    layout.frameId = "00dc";
    layout.microsecondsPerFrame = 0;
    layout.scale = 1;
    layout.rate = 4;
    AviClip clip;
    ASSERT_TRUE(Parse(AviBytes::Make(layout), clip));
    EXPECT_EQ(clip.frames.size(), 3u);
    EXPECT_EQ(clip.microsecondsPerFrame, 250000);
}

TEST(AviClipTest, EmptyFrameChunkRepeatsThePreviousFrame)
{
    auto bytes = AviBytes::Make(AviLayout());
    // Turn the second frame's chunk into an empty one followed by JUNK that
    // swallows its pixels.
    const std::size_t second = AviBytes::Find(bytes, "00db") + 8 + 24;
    AviBytes::PutU32(bytes, second + 4, 0);
    const unsigned char junk[] = {'J', 'U', 'N', 'K', 16, 0, 0, 0};
    std::copy(std::begin(junk), std::end(junk), bytes.begin() + static_cast<long>(second) + 8);
    AviClip clip;
    ASSERT_TRUE(Parse(bytes, clip));
    ASSERT_EQ(clip.frames.size(), 3u);
    EXPECT_EQ(clip.frames[1].pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(clip.frames[2].pixel(0, 0), qRgb(0, 0, 255));
}

TEST(AviClipTest, RefusesOtherPictureFormats)
{
    for (std::uint16_t bits : {8, 16, 32}) {
        AviLayout layout;
        layout.bits = bits;
        AviClip clip;
        EXPECT_FALSE(Parse(AviBytes::Make(layout), clip)) << bits << " bits";
    }
    AviLayout compressed;
    compressed.compression = 1; // BI_RLE8
    AviClip clip;
    EXPECT_FALSE(Parse(AviBytes::Make(compressed), clip));

    // A top-down picture (negative height) is not a clip of ours either.
    auto bytes = AviBytes::Make(AviLayout());
    AviBytes::PutU32(bytes, AviBytes::Find(bytes, "strf") + 16, static_cast<std::uint32_t>(-2));
    EXPECT_FALSE(Parse(bytes, clip));

    auto wave = AviBytes::Make(AviLayout());
    std::copy_n("WAVE", 4, wave.begin() + 8);
    EXPECT_FALSE(Parse(wave, clip));
    EXPECT_FALSE(ParseAviClip(nullptr, 100, clip));
    EXPECT_TRUE(clip.frames.empty());
}

TEST(AviClipTest, EveryTruncationIsRefused)
{
    const auto bytes = AviBytes::Make(AviLayout());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        AviClip clip;
        EXPECT_FALSE(ParseAviClip(bytes.data(), size, clip)) << "cut at " << size;
        // The same cut with the outer size made to agree with it: the inner
        // chunks still run past their parents or the frames are cut short.
        if (size < 8) continue;
        std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
        AviBytes::PutU32(cut, 4, static_cast<std::uint32_t>(size - 8));
        if (ParseAviClip(cut.data(), cut.size(), clip)) {
            EXPECT_LT(clip.frames.size(), 3u) << "cut at " << size;
        }
    }
}

TEST(AviClipTest, LyingSizesAreRefusedWithoutHugeAllocations)
{
    AviClip clip;
    auto frameTooBig = AviBytes::Make(AviLayout());
    AviBytes::PutU32(frameTooBig, AviBytes::Find(frameTooBig, "00db") + 4, 0xFFFFFFF0u);
    EXPECT_FALSE(Parse(frameTooBig, clip));

    // A picture claimed far larger than the frames that follow.
    auto hugePicture = AviBytes::Make(AviLayout());
    const std::size_t strf = AviBytes::Find(hugePicture, "strf") + 8;
    AviBytes::PutU32(hugePicture, strf + 4, 16000);
    AviBytes::PutU32(hugePicture, strf + 8, 16000);
    EXPECT_FALSE(Parse(hugePicture, clip));

    auto absurdPicture = AviBytes::Make(AviLayout());
    AviBytes::PutU32(absurdPicture, strf + 4, 0x7FFFFFFF);
    AviBytes::PutU32(absurdPicture, strf + 8, 0x7FFFFFFF);
    EXPECT_FALSE(Parse(absurdPicture, clip));

    auto listTooSmall = AviBytes::Make(AviLayout());
    AviBytes::PutU32(listTooSmall, AviBytes::Find(listTooSmall, "LIST") + 4, 2);
    EXPECT_FALSE(Parse(listTooSmall, clip));

    // The frame count in the main header is not believed: the frames are.
    auto manyFrames = AviBytes::Make(AviLayout());
    AviBytes::PutU32(manyFrames, AviBytes::Find(manyFrames, "avih") + 8 + 16, 0xFFFFFFFFu);
    ASSERT_TRUE(Parse(manyFrames, clip));
    EXPECT_EQ(clip.frames.size(), 3u);
}

TEST(AviClipTest, SurvivesAnyDamagedByte)
{
    const auto bytes = AviBytes::Make(AviLayout());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        for (unsigned char value : {0x00, 0x7F, 0xFF}) {
            auto damaged = bytes;
            damaged[at] = value;
            AviClip clip;
            if (Parse(damaged, clip)) {
                EXPECT_FALSE(clip.frames.empty());
                EXPECT_GT(clip.microsecondsPerFrame, 0);
            }
        }
    }
}

} // namespace
