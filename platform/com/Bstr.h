#pragma once
// BSTR: 16-bit text with its length in bytes stored just before the first
// character and a terminating zero after the last. Whoever receives a BSTR
// across a component boundary frees it with SysFreeString.
#include "com/ComTypes.h"

#include <string>
#include <string_view>

using BSTR = OLECHAR*;

BSTR SysAllocString(LPCOLESTR text);
BSTR SysAllocStringLen(LPCOLESTR text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

// An owned BSTR that frees itself.
class CComBSTR {
public:
    CComBSTR() = default;
    explicit CComBSTR(std::u16string_view text);
    CComBSTR(const CComBSTR& other);
    CComBSTR(CComBSTR&& other) noexcept;
    CComBSTR& operator=(CComBSTR other) noexcept;
    ~CComBSTR();

    operator BSTR() const { return m_str; }
    // For out parameters: frees the text held so far.
    BSTR* operator&();
    BSTR Copy() const;
    BSTR Detach();
    void Attach(BSTR text);
    UINT Length() const { return SysStringLen(m_str); }
    bool IsEmpty() const { return Length() == 0; }
    std::u16string str() const { return std::u16string(m_str ? m_str : u"", Length()); }

private:
    BSTR m_str = nullptr;
};
