#include "com/TypeInfo.h"

#include <algorithm>

namespace {

char16_t Fold(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameName(LPCOLESTR a, LPCOLESTR b)
{
    for (; *a && *b; ++a, ++b)
        if (Fold(*a) != Fold(*b)) return false;
    return *a == *b;
}

BSTR AllocText(LPCOLESTR text)
{
    return SysAllocString(text ? text : u"");
}

} // namespace

HRESULT LookUpMemberNames(std::span<const MEMBERDESC> members, LPOLESTR* names, UINT count, DISPID* ids)
{
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        const auto found = std::find_if(members.begin(), members.end(), [&](const MEMBERDESC& m) {
            return names[i] && m.name && SameName(m.name, names[i]);
        });
        ids[i] = found == members.end() ? DISPID_UNKNOWN : found->memid;
        if (found == members.end()) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

CTypeInfo::CTypeInfo(REFIID iid, std::span<const MEMBERDESC> members) : m_iid(iid)
{
    m_texts.reserve(members.size() * 2);
    for (const MEMBERDESC& m : members) {
        m_texts.emplace_back(m.name ? m.name : u"");
        m_texts.emplace_back(m.help ? m.help : u"");
    }
    for (size_t i = 0; i < members.size(); ++i) {
        MEMBERDESC copy = members[i];
        copy.name = m_texts[2 * i].c_str();
        copy.help = m_texts[2 * i + 1].c_str();
        m_members.push_back(copy);
    }
}

HRESULT CTypeInfo::GetGuid(GUID* guid)
{
    if (!guid) return E_POINTER;
    *guid = m_iid;
    return S_OK;
}

HRESULT CTypeInfo::GetMemberCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = static_cast<UINT>(m_members.size());
    return S_OK;
}

HRESULT CTypeInfo::GetMemberDesc(UINT index, MEMBERDESC* desc)
{
    if (!desc) return E_POINTER;
    if (index >= m_members.size()) return TYPE_E_ELEMENTNOTFOUND;
    *desc = m_members[index];
    return S_OK;
}

HRESULT CTypeInfo::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids)
{
    return LookUpMemberNames(m_members, names, count, ids);
}

HRESULT CTypeInfo::GetDocumentation(DISPID memid, BSTR* name, BSTR* help)
{
    const auto found = std::find_if(m_members.begin(), m_members.end(),
                                    [&](const MEMBERDESC& m) { return m.memid == memid; });
    if (found == m_members.end()) return TYPE_E_ELEMENTNOTFOUND;
    if (name) *name = AllocText(found->name);
    if (help) *help = AllocText(found->help);
    return S_OK;
}
