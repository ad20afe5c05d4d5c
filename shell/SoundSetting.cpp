#include "SoundSetting.h"

#include "ui/PlaySound.h"

#include <QSettings>
#include <QtDebug>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr const char* kMutedKey = "Sound/Muted";

} // namespace

std::string SoundSettingPath()
{
    namespace fs = std::filesystem;
    fs::path base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && fs::path(config).is_absolute()) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home && *home ? home : ".") / ".config";
    }
    return (base / "thebrainwheel" / "thebrainwheel.conf").string();
}

void RestoreSoundSetting()
{
    const QSettings settings(QString::fromStdString(SoundSettingPath()), QSettings::IniFormat);
    SetSoundMuted(settings.value(kMutedKey, false).toBool());
}

bool ChangeSoundSetting(bool muted)
{
    SetSoundMuted(muted);
    const std::string path = SoundSettingPath();
    QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
    settings.setValue(kMutedKey, muted);
    settings.sync();
    if (settings.status() == QSettings::NoError) return true;
    qWarning("thebrainwheel: the sound setting could not be written to %s", path.c_str());
    return false;
}
