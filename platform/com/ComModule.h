#pragma once
// CComModule: one per component module. Counts the live objects and the locks
// on its class factories, which DllCanUnloadNow answers from.
#include "com/ComTypes.h"

#include <atomic>

class CComModule {
public:
    void Lock() { ++m_nLocks; }
    void Unlock() { --m_nLocks; }
    LONG LockCount() const { return m_nLocks; }
    // S_OK when no object and no lock is alive, else S_FALSE.
    HRESULT DllCanUnloadNow() const { return m_nLocks == 0 ? S_OK : S_FALSE; }

private:
    std::atomic<LONG> m_nLocks{0};
};
