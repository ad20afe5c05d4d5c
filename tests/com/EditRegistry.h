#pragma once
// Sets the default value of the key `path` in the test's registry, making
// the key as needed.
#include "com/Registry.h"

#include <string>

inline HRESULT SetValue(const std::string& path, const std::string& value)
{
    return CRegistry::Edit([&](CRegistryData& data) { return data.SetValue(path, "", value); });
}
