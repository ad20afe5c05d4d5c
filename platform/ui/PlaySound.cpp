#include "ui/PlaySound.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <filesystem>
#include <new>

#include <dlfcn.h>

namespace {

ISoundOutput* g_soundOutput = nullptr;
std::atomic<bool> g_bMuted = false;

// The plug-in's entry: makes the audio output as a child of `parent` and
// hands back the QObject that owns it.
using CreateAudioOutputFunction = ISoundOutput* (*)(QObject* parent, QObject** owner);

// The audio plug-in lives beside this library; it stays loaded for good,
// since Qt objects of its making may outlive any moment we could unload it.
CreateAudioOutputFunction LoadAudioPlugin()
{
    Dl_info info;
    if (!dladdr(reinterpret_cast<const void*>(&PlaySound), &info) || !info.dli_fname) return nullptr;
    const std::filesystem::path plugin = std::filesystem::path(info.dli_fname).parent_path() / "libbrainwheel_audio.so";
    void* handle = dlopen(plugin.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle ? reinterpret_cast<CreateAudioOutputFunction>(dlsym(handle, "CreateAudioOutput")) : nullptr;
}

// The audio output, made on first use. Without an application object there is
// no audio back end, and so no sound; nor is there without the plug-in.
ISoundOutput* AudioOutput()
{
    static QPointer<QObject> owner;
    static ISoundOutput* output = nullptr;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) return nullptr;
    if (!owner) {
        static const CreateAudioOutputFunction create = LoadAudioPlugin();
        if (!create) return nullptr;
        QObject* made = nullptr;
        output = create(application, &made);
        owner = made;
    }
    return owner ? output : nullptr;
}

} // namespace

BOOL PlaySound(int id, HMODULE module, DWORD flags)
{
    if ((flags & SND_RESOURCE) != SND_RESOURCE || g_bMuted) return FALSE;
    const HRSRC resource = FindResourceA(module, id, "WAVE");
    const auto* bytes = static_cast<const BYTE*>(LockResource(resource));
    if (!bytes) return FALSE;
    try {
        const std::vector<BYTE> wave(bytes, bytes + SizeofResource(module, resource));
        ISoundOutput* output = g_soundOutput ? g_soundOutput : AudioOutput();
        return output && output->Play(wave) ? TRUE : FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
}

void SetSoundOutput(ISoundOutput* output)
{
    g_soundOutput = output;
}

void SetSoundMuted(bool muted)
{
    g_bMuted = muted;
}

bool IsSoundMuted()
{
    return g_bMuted;
}
