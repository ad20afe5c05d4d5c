#pragma once
// CUnknownImpl: the reference count and QueryInterface plumbing that every
// object of ours shares. A class lists the interfaces it answers and derives
// from them; the object deletes itself on its last Release.
#include "com/Unknown.h"

#include <atomic>
#include <iterator>

class CRefCount {
public:
    ULONG AddRef() { return ++m_refs; }
    // Returns the count left; zero means the owner must delete itself.
    ULONG Release() { return --m_refs; }

private:
    std::atomic<ULONG> m_refs{1};
};

// Looks riid up among the interface identifiers and their matching pointers
// (IUnknown answers with the first), adding a reference on success.
struct InterfaceEntry {
    const IID* iid;
    IUnknown* itf;
};
HRESULT QueryInterfaceTable(const InterfaceEntry* entries, int count, REFIID riid, void** object);

// Hands a newly made object, holding only its maker's reference, to a caller
// asking for riid: the maker's reference goes whatever the answer, so an
// object nobody could take is gone at once. A null object (the allocation
// failed) is E_OUTOFMEMORY.
template <typename T>
HRESULT HandOutNewObject(T* created, REFIID riid, void** object)
{
    if (!created) return E_OUTOFMEMORY;
    const HRESULT hr = created->QueryInterface(riid, object);
    created->Release();
    return hr;
}

#define BRAINWHEEL_IUNKNOWN_IMPL(...)                                                    \
public:                                                                                  \
    HRESULT QueryInterface(REFIID riid, void** object) override                          \
    {                                                                                    \
        const InterfaceEntry entries[] = {__VA_ARGS__};                                  \
        return QueryInterfaceTable(entries, static_cast<int>(std::size(entries)), riid, object); \
    }                                                                                    \
    ULONG AddRef() override { return m_refCount.AddRef(); }                              \
    ULONG Release() override                                                             \
    {                                                                                    \
        const ULONG left = m_refCount.Release();                                         \
        if (left == 0) delete this;                                                      \
        return left;                                                                     \
    }                                                                                    \
                                                                                         \
private:                                                                                 \
    CRefCount m_refCount;
