#pragma once
// CRegistry: the registry file shared by every process of the game.
//
// It lives at $BRAINWHEEL_REGISTRY when that is set, else at
// $XDG_DATA_HOME/thebrainwheel/registry.reg (XDG_DATA_HOME defaulting to
// ~/.local/share). A missing file is an empty registry. Readers take a
// snapshot without locking: a writer replaces the file whole by renaming a
// finished temporary file over it, so a reader sees either the old or the
// new registry. Writers serialise their read-modify-write on a lock file
// beside it, so two processes registering at once both keep their keys.
#include "com/RegistryData.h"

#include <filesystem>
#include <functional>
#include <string>

class CRegistry {
public:
    static std::filesystem::path Location();

    // A snapshot of the registry. A malformed file gives REGDB_E_READREGDB
    // and, in `error`, "<file>:<line>: <what is wrong>".
    static HRESULT Read(CRegistryData& data, std::string* error = nullptr);

    // One transaction: reads the registry under the lock, lets `change` edit
    // it and, when `change` succeeds and changed something, writes it back
    // before the lock is released. Returns the failure of `change` (nothing
    // written), REGDB_E_READREGDB for a malformed file (left as it is) or
    // REGDB_E_WRITEREGDB when the file cannot be written, with `error` set.
    static HRESULT Edit(const std::function<HRESULT(CRegistryData&)>& change,
                        std::string* error = nullptr);

    // For tests: called once the new contents sit complete in the temporary
    // file and before it replaces the registry. Null (the default) for none.
    static void SetBeforeReplaceHook(void (*hook)());
};
