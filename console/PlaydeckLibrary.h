#pragma once
// The console library as its controls see it: its module, found among the
// loaded modules by file name, and its object counts.
#include "com/ComModule.h"
#include "ui/Resources.h"

// The file the library must be loaded from for its pictures and sounds.
// Under any other name they stay empty and silent; the clips still play,
// because each animation control opens them from the module that made it.
constexpr const char* kPlaydeckFileName = "Playdeck.so";

// The loaded library, nullptr when no module of that file name is loaded.
HMODULE PlaydeckLibrary();

// The counts of live objects and factory locks that DllCanUnloadNow reads.
// Every object the library hands out holds a CComModule::ObjectLifetime on it.
CComModule& PlaydeckComModule();
