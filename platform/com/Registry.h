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
// The snapshot parsed last is shared until the file's identity, size or
// modification time changes, so a run of lookups parses the file once.
#include "com/RegistryData.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class CRegistry {
public:
    static std::filesystem::path Location();

    // The current registry, shared and never changed: the same object for as
    // long as the file stays as it was. A malformed file gives
    // REGDB_E_READREGDB and, in `error`, "<file>:<line>: <what is wrong>";
    // it is read again on every call until it is fixed.
    static HRESULT Snapshot(std::shared_ptr<const CRegistryData>& data, std::string* error = nullptr);
    // A copy of the current registry, to keep or change; fails as Snapshot.
    static HRESULT Read(CRegistryData& data, std::string* error = nullptr);

    // One transaction: reads the registry file (never the shared snapshot)
    // under the lock, lets `change` edit it and, when `change` succeeds and
    // changed something, writes it back before the lock is released. Returns the failure of `change` (nothing
    // written), REGDB_E_READREGDB for a malformed file (left as it is) or
    // REGDB_E_WRITEREGDB when the file cannot be written, with `error` set.
    static HRESULT Edit(const std::function<HRESULT(CRegistryData&)>& change,
                        std::string* error = nullptr);

    // For tests: called once the new contents sit complete in the temporary
    // file and before it replaces the registry. Null (the default) for none.
    static void SetBeforeReplaceHook(void (*hook)());
};
