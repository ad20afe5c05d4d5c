#pragma once
// The samples of a RIFF WAVE file held in memory, as PlaySound hands them to
// the sound card.
#include "com/ComTypes.h"

#include <cstddef>
#include <span>

// What the sound card needs to know about the samples: 8-bit samples are
// unsigned, 16-bit ones signed, channels interleaved.
struct WaveFormat {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
};

// The format and samples of 8- or 16-bit PCM WAVE data; `samples` points into
// `data`. False for any other encoding, a data chunk before the format, or a
// chunk that runs past the end.
bool ReadWave(const BYTE* data, std::size_t size, WaveFormat& format, std::span<const BYTE>& samples);
