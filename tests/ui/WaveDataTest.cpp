#include "ui/WaveData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

void PutU32(Bytes& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// A RIFF WAVE file of the given chunks, each padded to an even length.
Bytes Wave(const std::vector<std::pair<std::string, Bytes>>& chunks)
{
    Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto& [id, body] : chunks) {
        out.insert(out.end(), id.begin(), id.end());
        PutU32(out, static_cast<std::uint32_t>(body.size()));
        out.insert(out.end(), body.begin(), body.end());
        if (body.size() & 1) out.push_back(0);
    }
    const std::uint32_t riff = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<BYTE>(riff >> (8 * i));
    return out;
}

std::pair<std::string, Bytes> Fmt(int tag, int channels, std::uint32_t rate, int bits)
{
    const int align = channels * bits / 8;
    Bytes body = {static_cast<BYTE>(tag), 0, static_cast<BYTE>(channels), 0};
    PutU32(body, rate);
    PutU32(body, rate * static_cast<std::uint32_t>(align));
    body.insert(body.end(), {static_cast<BYTE>(align), 0, static_cast<BYTE>(bits), 0});
    return {"fmt ", body};
}

struct WaveCase {
    const char* name;
    Bytes bytes;
    std::size_t shown;  // how many of the bytes the reader is given, 0 for all
    bool reads;
    WaveFormat format;
    Bytes samples;
};

TEST(WaveDataTest, ReadsPcmAndRefusesWhatRunsPastTheEnd)
{
    const Bytes three = {0x80, 0x81, 0x82};
    const Bytes four = {1, 0, 2, 0, 3, 0, 4, 0};
    const Bytes mono8 = Wave({Fmt(1, 1, 8000, 8), {"data", three}});
    const Bytes stereo16 = Wave({Fmt(1, 2, 44100, 16), {"LIST", {'a', 'b', 'c'}}, {"data", four}});
    // 45 bytes: a format and then a one-byte chunk without its pad. The buffer
    // goes on with a data chunk the reader must never see.
    const Bytes oddTail = Wave({Fmt(1, 1, 8000, 8), {"LIST", {'x'}}, {"data", {}}});
    const std::vector<WaveCase> cases = {
        {"8-bit mono", mono8, mono8.size(), true, {8000, 1, 8}, three},
        {"16-bit stereo past an odd chunk", stereo16, stereo16.size(), true, {44100, 2, 16}, four},
        {"odd data chunk without its pad byte", mono8, mono8.size() - 1, true, {8000, 1, 8}, three},
        {"odd last chunk without its pad byte", oddTail, 45, false, {}, {}},
        {"data chunk running past the end", stereo16, stereo16.size() - 1, false, {}, {}},
        {"data before the format", Wave({{"data", four}, Fmt(1, 1, 8000, 16)}), 0, false, {}, {}},
        {"floating point", Wave({Fmt(3, 1, 8000, 32), {"data", four}}), 0, false, {}, {}},
        {"24-bit PCM", Wave({Fmt(1, 1, 8000, 24), {"data", four}}), 0, false, {}, {}},
        {"short format", Wave({{"fmt ", Bytes(14, 1)}, {"data", four}}), 0, false, {}, {}},
        {"cut inside the header", mono8, 11, false, {}, {}},
    };
    for (const WaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t shown = c.shown ? c.shown : c.bytes.size();
        WaveFormat format;
        std::span<const BYTE> samples;
        ASSERT_EQ(ReadWave(c.bytes.data(), shown, format, samples), c.reads);
        if (!c.reads) continue;
        EXPECT_EQ(format.sampleRate, c.format.sampleRate);
        EXPECT_EQ(format.channels, c.format.channels);
        EXPECT_EQ(format.bitsPerSample, c.format.bitsPerSample);
        EXPECT_EQ(Bytes(samples.begin(), samples.end()), c.samples);
    }
}

TEST(WaveDataTest, ReadsEverySoundOfTheConsole)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(BRAINWHEEL_WAVE_DIR)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes wave{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        WaveFormat format;
        std::span<const BYTE> samples;
        ASSERT_TRUE(ReadWave(wave.data(), wave.size(), format, samples));
        const std::size_t frame = static_cast<std::size_t>(format.channels * format.bitsPerSample / 8);
        EXPECT_GT(samples.size(), 0u);
        EXPECT_EQ(samples.size() % frame, 0u);
        ++count;
    }
    EXPECT_EQ(count, 5);
}

} // namespace
