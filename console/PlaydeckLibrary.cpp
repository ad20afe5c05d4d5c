#include "PlaydeckLibrary.h"

HMODULE PlaydeckLibrary()
{
    return GetModuleHandleA(kPlaydeckFileName);
}

CComModule& PlaydeckComModule()
{
    static CComModule module;
    return module;
}
