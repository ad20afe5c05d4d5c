#pragma once
// CComModule: one per component module. Counts the module's live objects and
// the locks on its class factories, which DllCanUnloadNow answers from. The
// counts are atomic because the runtime may ask from any thread.
#include "com/ComTypes.h"

#include <atomic>

class CComModule {
public:
    // Held as a member by every object the module hands out, so that the
    // object counts from its construction to its destruction.
    class ObjectLifetime {
    public:
        explicit ObjectLifetime(CComModule& module) : m_module(module) { ++m_module.m_nObjects; }
        ObjectLifetime(const ObjectLifetime&) = delete;
        ObjectLifetime& operator=(const ObjectLifetime&) = delete;
        ~ObjectLifetime() { --m_module.m_nObjects; }

    private:
        CComModule& m_module;
    };

    // IClassFactory::LockServer.
    void Lock() { ++m_nLocks; }
    void Unlock() { --m_nLocks; }
    LONG LockCount() const { return m_nLocks; }
    LONG ObjectCount() const { return m_nObjects; }
    // S_OK when no object and no lock is alive, else S_FALSE.
    HRESULT DllCanUnloadNow() const { return m_nLocks == 0 && m_nObjects == 0 ? S_OK : S_FALSE; }

private:
    std::atomic<LONG> m_nLocks{0};
    std::atomic<LONG> m_nObjects{0};
};
