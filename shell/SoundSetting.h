#pragma once
// The player's choice to mute the game's sounds, kept between runs in the
// user's configuration folder: thebrainwheel/thebrainwheel.conf under
// $XDG_CONFIG_HOME, or under ~/.config when that is unset or not an absolute
// path. The choice itself lives in the sound layer (SetSoundMuted), which
// the console library shares.
#include <string>

// Where the choice is kept.
std::string SoundSettingPath();
// Applies the remembered choice; sounds play when none is remembered or the
// file can't be read.
void RestoreSoundSetting();
// Mutes or unmutes the game's sounds at once and remembers the choice; false
// (with a warning on stderr) when it could not be written, and the choice
// then holds for this run only.
bool ChangeSoundSetting(bool muted);
