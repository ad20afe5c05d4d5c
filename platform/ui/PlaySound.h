#pragma once
// PlaySound of WAVE resources held in a module.
#include "com/ComTypes.h"
#include "ui/Resources.h"

#include <vector>

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_RESOURCE = 0x00040004;

// Plays WAVE resource `id` of `module`. A new sound cuts off one still
// playing. Sounds always play without holding up the calling thread (a
// synchronous request included: the window must stay responsive). Without a
// sound device, or for a missing or damaged resource, it is silent and
// returns FALSE; it never fails otherwise. Only resources are played: flags
// without SND_RESOURCE give FALSE. While sounds are muted nothing is played
// and the answer is FALSE.
BOOL PlaySound(int id, HMODULE module, DWORD flags);

// The player's mute, for the whole process: the game and the console library
// share it through this library. A sound already playing runs to its end.
void SetSoundMuted(bool muted);
bool IsSoundMuted();

// Where sounds go: the program's audio output, or a test's recorder.
class ISoundOutput {
public:
    virtual ~ISoundOutput() = default;
    // `wave` is a whole RIFF WAVE file.
    virtual bool Play(const std::vector<BYTE>& wave) = 0;
};
// nullptr restores the audio output.
void SetSoundOutput(ISoundOutput* output);
