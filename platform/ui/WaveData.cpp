#include "ui/WaveData.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t ReadU32(const BYTE* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t ReadU16(const BYTE* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool ReadFormat(const BYTE* body, std::size_t length, WaveFormat& format)
{
    if (length < 16 || ReadU16(body) != 1) return false;
    const int channels = ReadU16(body + 2);
    const std::uint32_t rate = ReadU32(body + 4);
    const int bits = ReadU16(body + 14);
    if (channels < 1 || channels > 8 || rate < 1000 || rate > 192000) return false;
    if (bits != 8 && bits != 16) return false;
    format.sampleRate = static_cast<int>(rate);
    format.channels = channels;
    format.bitsPerSample = bits;
    return true;
}

} // namespace

bool ReadWave(const BYTE* data, std::size_t size, WaveFormat& format, std::span<const BYTE>& samples)
{
    if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return false;
    WaveFormat found;
    bool haveFormat = false;
    std::size_t pos = 12;
    while (size - pos >= 8) {
        const BYTE* chunk = data + pos;
        const std::size_t length = ReadU32(chunk + 4);
        if (length > size - pos - 8) return false;
        const BYTE* body = chunk + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (!ReadFormat(body, length, found)) return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return false;
            format = found;
            samples = std::span<const BYTE>(body, length);
            return true;
        }
        // Chunks start on even offsets; the pad byte of the last one may be
        // missing, and the walk must not step past the end looking for it.
        pos = std::min(size, pos + 8 + length + (length & 1));
    }
    return false;
}
