#pragma once
// CTypeInfo: the type description of one dispatch interface, built from the
// table of its members. It keeps its own copy of the table, so it stays valid
// after the module that described the interface is unloaded.
#include "com/UnknownImpl.h"

#include <span>
#include <string>
#include <vector>

// Looks each name up in `members` without regard to case. Every name not
// found gets DISPID_UNKNOWN and makes the result DISP_E_UNKNOWNNAME.
HRESULT LookUpMemberNames(std::span<const MEMBERDESC> members, LPOLESTR* names, UINT count, DISPID* ids);

class CTypeInfo final : public ITypeInfo {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_ITypeInfo, static_cast<ITypeInfo*>(this)})

public:
    CTypeInfo(REFIID iid, std::span<const MEMBERDESC> members);

    HRESULT GetGuid(GUID* guid) override;
    HRESULT GetMemberCount(UINT* count) override;
    // The name and help pointers stay valid while this object lives.
    HRESULT GetMemberDesc(UINT index, MEMBERDESC* desc) override;
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) override;
    // Either out pointer may be null. TYPE_E_ELEMENTNOTFOUND for an unknown id.
    HRESULT GetDocumentation(DISPID memid, BSTR* name, BSTR* help) override;

private:
    ~CTypeInfo() = default;

    IID m_iid;
    std::vector<std::u16string> m_texts;  // names and help strings, never resized after construction
    std::vector<MEMBERDESC> m_members;    // pointing into m_texts
};
