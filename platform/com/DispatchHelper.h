#pragma once
// CDispatchHelper: the table-driven half of a dual interface. An
// implementation keeps one helper per interface (usually a static) and
// forwards GetTypeInfoCount, GetTypeInfo and GetIDsOfNames to it, leaving only
// its Invoke switch to write; GetArgument reads Invoke's positional arguments.
#include "com/Unknown.h"

#include <span>

class CDispatchHelper {
public:
    // `members` must outlive the helper (a static table does).
    CDispatchHelper(REFIID iid, std::span<const MEMBERDESC> members) : m_iid(iid), m_members(members) {}

    HRESULT GetTypeInfoCount(UINT* count) const;
    // A new CTypeInfo for index 0; DISP_E_BADINDEX otherwise.
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) const;
    // Case-blind; DISP_E_UNKNOWNNAME (with DISPID_UNKNOWN in its slot) for a
    // name the table lacks.
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) const;

    // The positional argument `position` (0 for the first, whatever the
    // reversed order of rgvarg) converted to `vt`. DISP_E_BADPARAMCOUNT when
    // the caller passed fewer, DISP_E_TYPEMISMATCH when it does not convert.
    static HRESULT GetArgument(const DISPPARAMS* params, UINT position, VARTYPE vt, CComVariant& value);

private:
    IID m_iid;
    std::span<const MEMBERDESC> m_members;
};
