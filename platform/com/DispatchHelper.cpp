#include "com/DispatchHelper.h"

#include "com/TypeInfo.h"

#include <new>

HRESULT CDispatchHelper::GetTypeInfoCount(UINT* count) const
{
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT CDispatchHelper::GetTypeInfo(UINT index, LCID, ITypeInfo** info) const
{
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    *info = new (std::nothrow) CTypeInfo(m_iid, m_members);
    return *info ? S_OK : E_OUTOFMEMORY;
}

HRESULT CDispatchHelper::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) const
{
    return LookUpMemberNames(m_members, names, count, ids);
}

HRESULT CDispatchHelper::GetArgument(const DISPPARAMS* params, UINT position, VARTYPE vt, CComVariant& value)
{
    if (!params) return E_POINTER;
    if (position >= params->cArgs || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
    const VARIANT& source = params->rgvarg[params->cArgs - 1 - position];
    return VariantChangeType(&value, &source, 0, vt);
}
