#include "com/Bstr.h"

#include <cstdlib>
#include <cstring>
#include <utility>

BSTR SysAllocStringLen(LPCOLESTR text, UINT length)
{
    const size_t bytes = static_cast<size_t>(length) * sizeof(OLECHAR);
    if (bytes > 0x7FFFFFF0u) return nullptr;
    auto* block = static_cast<char*>(std::malloc(sizeof(std::uint32_t) + bytes + sizeof(OLECHAR)));
    if (!block) return nullptr;
    const auto prefix = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &prefix, sizeof prefix);
    auto* chars = reinterpret_cast<OLECHAR*>(block + sizeof prefix);
    if (text && bytes) std::memcpy(chars, text, bytes);
    else if (bytes) std::memset(chars, 0, bytes);
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(LPCOLESTR text)
{
    if (!text) return nullptr;
    UINT length = 0;
    while (text[length]) ++length;
    return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text)
{
    if (text) std::free(reinterpret_cast<char*>(text) - sizeof(std::uint32_t));
}

UINT SysStringLen(BSTR text)
{
    if (!text) return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const char*>(text) - sizeof bytes, sizeof bytes);
    return bytes / sizeof(OLECHAR);
}

CComBSTR::CComBSTR(std::u16string_view text)
    : m_str(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
{
}

CComBSTR::CComBSTR(const CComBSTR& other) : m_str(other.Copy()) {}

CComBSTR::CComBSTR(CComBSTR&& other) noexcept : m_str(std::exchange(other.m_str, nullptr)) {}

CComBSTR& CComBSTR::operator=(CComBSTR other) noexcept
{
    std::swap(m_str, other.m_str);
    return *this;
}

CComBSTR::~CComBSTR() { SysFreeString(m_str); }

BSTR* CComBSTR::operator&()
{
    SysFreeString(std::exchange(m_str, nullptr));
    return &m_str;
}

BSTR CComBSTR::Copy() const
{
    return m_str ? SysAllocStringLen(m_str, SysStringLen(m_str)) : nullptr;
}

BSTR CComBSTR::Detach() { return std::exchange(m_str, nullptr); }

void CComBSTR::Attach(BSTR text)
{
    SysFreeString(m_str);
    m_str = text;
}
