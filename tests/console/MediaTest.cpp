// Every media resource of the built library, read back and held against what
// the controls expect of it: clip sizes, frame counts and rates, sound formats
// and lengths, picture formats and sizes.
#include "LoadedPlaydeck.h"
#include "com/ComPtr.h"
#include "ole/Picture.h"
#include "ui/AnimateCtrl.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ResourceBytes(HMODULE module, int id, const char* type)
{
    const HRSRC resource = FindResourceA(module, id, type);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(resource));
    EXPECT_NE(bytes, nullptr) << type << " " << id;
    if (!bytes) return {};
    return std::vector<unsigned char>(bytes, bytes + SizeofResource(module, resource));
}

std::uint32_t U32(const std::vector<unsigned char>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t U16(const std::vector<unsigned char>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

QImage Decode(const std::vector<unsigned char>& bytes)
{
    CComPtr<IStream> stream;
    CComPtr<IPicture> picture;
    QImage image;
    if (SUCCEEDED(CreateStreamOnMemory(bytes, &stream)) &&
        SUCCEEDED(OleLoadPicture(stream, 0, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture))))
        picture->GetImage(&image);
    return image;
}

class PlaydeckMedia : public ::testing::Test {
protected:
    LoadedPlaydeck m_playdeck;
};

TEST_F(PlaydeckMedia, ClipsHaveTheirSizesFrameCountsAndRates)
{
    struct Expected {
        int id, width, height, frames, framesPerSecond;
    };
    // The countdown bar, the lives row and the progress ladder.
    for (const Expected& e : {Expected{233, 494, 8, 61, 1}, Expected{243, 125, 40, 61, 10}, Expected{245, 138, 257, 16, 1}}) {
        SCOPED_TRACE("AVI " + std::to_string(e.id));
        const auto bytes = ResourceBytes(m_playdeck.Module(), e.id, "AVI");
        AviClip clip;
        ASSERT_TRUE(ParseAviClip(bytes.data(), bytes.size(), clip));
        EXPECT_EQ(clip.width, e.width);
        EXPECT_EQ(clip.height, e.height);
        EXPECT_EQ(clip.frames.size(), static_cast<std::size_t>(e.frames));
        EXPECT_EQ(clip.microsecondsPerFrame, 1000000 / e.framesPerSecond);
    }
}

TEST_F(PlaydeckMedia, SoundsArePcmOfTheirFormatsAndLengths)
{
    struct Expected {
        int id, channels, bits;
        double seconds;
    };
    // Life lost, right answer, game over, new round, the countdown's tick.
    for (const Expected& e : {Expected{244, 2, 16, 1.35}, Expected{247, 2, 16, 0.92}, Expected{250, 2, 16, 1.94},
                              Expected{252, 2, 16, 0.63}, Expected{254, 1, 8, 0.09}}) {
        SCOPED_TRACE("WAVE " + std::to_string(e.id));
        const auto bytes = ResourceBytes(m_playdeck.Module(), e.id, "WAVE");
        ASSERT_GE(bytes.size(), 44u);
        ASSERT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
        ASSERT_EQ(std::memcmp(bytes.data() + 8, "WAVE", 4), 0);
        EXPECT_EQ(U32(bytes, 4) + 8, bytes.size());
        std::size_t pos = 12, dataBytes = 0;
        bool haveFormat = false;
        while (pos + 8 <= bytes.size()) {
            const std::uint32_t size = U32(bytes, pos + 4);
            ASSERT_LE(pos + 8 + size, bytes.size());
            if (std::memcmp(bytes.data() + pos, "fmt ", 4) == 0) {
                EXPECT_EQ(U16(bytes, pos + 8), 1) << "PCM";
                EXPECT_EQ(U16(bytes, pos + 10), e.channels);
                EXPECT_EQ(U32(bytes, pos + 12), 22050u);
                EXPECT_EQ(U16(bytes, pos + 22), e.bits);
                haveFormat = true;
            } else if (std::memcmp(bytes.data() + pos, "data", 4) == 0) {
                dataBytes = size;
            }
            pos += 8 + size + (size & 1);
        }
        EXPECT_TRUE(haveFormat);
        const double seconds = static_cast<double>(dataBytes) / (22050.0 * e.channels * e.bits / 8);
        EXPECT_NEAR(seconds, e.seconds, 0.005);
    }
}

TEST_F(PlaydeckMedia, SkinIsA24BitBitmapOfTheConsolesSize)
{
    const auto bytes = ResourceBytes(m_playdeck.Module(), 246, "SKIN");
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(std::memcmp(bytes.data(), "BM", 2), 0);
    EXPECT_EQ(U16(bytes, 28), 24);
    EXPECT_EQ(Decode(bytes).size(), QSize(520, 500));
}

TEST_F(PlaydeckMedia, LifelineButtonsAreJpegsOfTheirSizes)
{
    for (auto [id, width] : {std::pair{233, 65}, {234, 66}, {235, 65}, {236, 65}}) {
        SCOPED_TRACE("BUTTONS " + std::to_string(id));
        const auto bytes = ResourceBytes(m_playdeck.Module(), id, "BUTTONS");
        ASSERT_GE(bytes.size(), 3u);
        EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF);
        EXPECT_EQ(Decode(bytes).size(), QSize(width, 37));
    }
}

TEST_F(PlaydeckMedia, ResultImagesAreOpaqueGifsAndJpegs)
{
    for (int id : {247, 248}) {
        SCOPED_TRACE("IMAGES " + std::to_string(id));
        const auto bytes = ResourceBytes(m_playdeck.Module(), id, "IMAGES");
        ASSERT_GE(bytes.size(), 13u);
        EXPECT_EQ(std::memcmp(bytes.data(), "GIF89a", 6), 0);
        // A global colour table of 256 entries.
        EXPECT_EQ(bytes[10] & 0x87, 0x87);
        const QImage image = Decode(bytes);
        EXPECT_EQ(image.size(), QSize(135, 138));
        EXPECT_FALSE(image.hasAlphaChannel());
    }
    for (int id : {249, 250}) {
        SCOPED_TRACE("IMAGES " + std::to_string(id));
        const auto bytes = ResourceBytes(m_playdeck.Module(), id, "IMAGES");
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8);
        EXPECT_EQ(Decode(bytes).size(), QSize(355, 218));
    }
}

} // namespace
