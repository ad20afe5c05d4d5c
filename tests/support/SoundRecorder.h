#pragma once
// Takes the place of the sound card while it lives and keeps every sound
// played, so that a test can tell which sounds a control made and when.
#include "ui/PlaySound.h"

#include <cstring>
#include <vector>

class SoundRecorder final : public ISoundOutput {
public:
    SoundRecorder() { SetSoundOutput(this); }
    ~SoundRecorder() override { SetSoundOutput(nullptr); }
    SoundRecorder(const SoundRecorder&) = delete;
    SoundRecorder& operator=(const SoundRecorder&) = delete;

    bool Play(const std::vector<BYTE>& wave) override
    {
        m_played.push_back(wave);
        return true;
    }

    const std::vector<std::vector<BYTE>>& Played() const { return m_played; }
    int Count() const { return static_cast<int>(m_played.size()); }
    // Whether sound `index` was WAVE resource `id` of the module.
    bool WasResource(int index, HMODULE module, int id) const
    {
        const HRSRC resource = FindResourceA(module, id, "WAVE");
        if (!resource || index < 0 || index >= Count()) return false;
        const std::vector<BYTE>& wave = m_played[static_cast<std::size_t>(index)];
        return wave.size() == SizeofResource(module, resource) &&
               std::memcmp(wave.data(), LockResource(resource), wave.size()) == 0;
    }
    void Clear() { m_played.clear(); }

private:
    std::vector<std::vector<BYTE>> m_played;
};
