#pragma once
// CComPtr: a counted reference to an interface.
#include "com/Unknown.h"

#include <utility>

template <typename T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    CComPtr(const CComPtr& other) : CComPtr(other.m_p) {}
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComPtr& operator=(CComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~CComPtr() { Release(); }

    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    T* get() const { return m_p; }
    // For out parameters; the pointer must be empty.
    T** operator&() { Release(); return &m_p; }

    void Release() { if (T* p = std::exchange(m_p, nullptr)) p->Release(); }
    void Attach(T* p) { Release(); m_p = p; }
    T* Detach() { return std::exchange(m_p, nullptr); }
    // Hands a new reference to the caller.
    HRESULT CopyTo(T** out) const
    {
        if (!out) return E_POINTER;
        *out = m_p;
        if (m_p) m_p->AddRef();
        return S_OK;
    }
    template <typename Q>
    HRESULT QueryInterface(REFIID riid, Q** out) const
    {
        if (!m_p) return E_POINTER;
        return m_p->QueryInterface(riid, reinterpret_cast<void**>(out));
    }

private:
    T* m_p = nullptr;
};
