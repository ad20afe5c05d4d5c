#pragma once
// The library's class table: every class it makes, in the order in which it
// registers them.
#include "com/ComTypes.h"

#include <new>
#include <span>

struct ClassEntry {
    const CLSID* clsid;
    const char* progId;                   // versioned: "Tavorin.Countdown.1"
    const char* versionIndependentProgId; // "Tavorin.Countdown"
    const char* description;              // "Countdown Class"
    int registryScript;                   // its "REGISTRY" resource
    int toolboxBitmap;                    // the number ToolboxBitmap32 names
    // Makes a new object and queries it for riid, as a class factory does.
    HRESULT (*create)(REFIID riid, void** object);
};

std::span<const ClassEntry> ClassTable();

// The creator of a class whose objects start with one reference, as every
// object built on CUnknownImpl does.
template <typename T>
HRESULT CreateClassInstance(REFIID riid, void** object)
{
    return HandOutNewObject(new (std::nothrow) T, riid, object);
}
