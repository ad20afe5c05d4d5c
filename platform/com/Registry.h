#pragma once
// CRegistry: the registry shared by every process of the game, in two layers.
//
// The user's file lives at $BRAINWHEEL_REGISTRY when that is set, else at
// $XDG_DATA_HOME/thebrainwheel/registry.reg (XDG_DATA_HOME defaulting to
// ~/.local/share). Beneath it lies the system's file, which the package's
// maintainer scripts write when they register the installed modules, so that
// a new account finds them without a set-up step. Lookups see the user's keys
// over the system's: a value the user's file holds wins over the system's
// value of the same name in the same key, everything else shows through.
// Writes only ever touch the user's file, so a user cannot take a system key
// away, only shadow its values. A missing file is an empty layer.
//
// Readers take a snapshot without locking: a writer replaces a file whole by
// renaming a finished temporary file over it, so a reader sees either the old
// or the new version. Writers serialise their read-modify-write on a lock file
// beside the user's file, so two processes registering at once both keep
// their keys. The merged snapshot is shared until either file's identity,
// size or modification time changes, so a run of lookups parses them once.
#include "com/RegistryData.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <sys/types.h>

class CRegistry {
public:
    // The user's file.
    static std::filesystem::path Location();
    // The system's file, or an empty path for no system layer:
    // $BRAINWHEEL_SYSTEM_REGISTRY when set (set but empty: none); else none
    // when $BRAINWHEEL_REGISTRY is set, so that a test or a developer with a
    // registry of their own never sees an installed copy's; else the file
    // under the installation's state folder (/var/lib/thebrainwheel/).
    static std::filesystem::path SystemLocation();

    // The current registry, the user's layer over the system's, shared and
    // never changed: the same object for as long as both files stay as they
    // were. A malformed file, either one, gives REGDB_E_READREGDB and, in
    // `error`, "<path>:<line>: <what is wrong>"; it is read again on every
    // call until it is fixed.
    static HRESULT Snapshot(std::shared_ptr<const CRegistryData>& data, std::string* error = nullptr);
    // A copy of the current registry, to keep or change; fails as Snapshot.
    static HRESULT Read(CRegistryData& data, std::string* error = nullptr);

    // One transaction on the user's file alone: reads it (never the shared
    // snapshot, never the system's layer) under the lock, lets `change` edit
    // it and, when `change` succeeds and changed something, writes it back
    // before the lock is released. Returns the failure of `change` (nothing
    // written), REGDB_E_READREGDB for a malformed file (left as it is) or
    // REGDB_E_WRITEREGDB when the file cannot be written, with `error` set
    // to "<path>: cannot write the registry: <step> <file>: <system's
    // reason>". A failed write leaves the file as it was and no temporary
    // file behind; one left by a writer that died is overwritten.
    static HRESULT Edit(const std::function<HRESULT(CRegistryData&)>& change,
                        std::string* error = nullptr);

    // The `error` of the calling thread's last Snapshot, Read or Edit that
    // could not read or write the registry: what the caller of a module's
    // DllRegisterServer, which returns a code alone, can tell the user.
    // Empty while none has failed.
    static std::string LastError();

    // For tests: called once the new contents sit complete in the temporary
    // file and before it replaces the registry. Null (the default) for none.
    static void SetBeforeReplaceHook(void (*hook)());
    // For tests: writes the new contents into the temporary file in place of
    // write(2), to fail part-way as a full disk does or to die there. Null
    // (the default) for write(2).
    using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);
    static void SetWriteFunction(WriteFunction write);
};
