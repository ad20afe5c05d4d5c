// The WAVE reader over arbitrary bytes. What it accepts must lie inside the
// bytes it was given and have a format the sound card can take.
#include "ui/WaveData.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WaveFormat format;
    std::span<const BYTE> samples;
    if (!ReadWave(data, size, format, samples)) return 0;
    if (samples.data() < data || samples.data() + samples.size() > data + size) std::abort();
    if (format.channels < 1 || (format.bitsPerSample != 8 && format.bitsPerSample != 16)) std::abort();
    return 0;
}
