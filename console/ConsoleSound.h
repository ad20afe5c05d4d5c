#pragma once
// The console's sounds: WAVE resources of the library.
#include "com/ComTypes.h"

// Plays WAVE resource `id` of the library without waiting for it, cutting
// off any sound still playing. Silent when the library is loaded under
// another file name, when the resource is missing or without a sound device.
void PlayConsoleSound(int id);
