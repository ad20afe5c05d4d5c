#include "ole/ChildEventSink.h"

HRESULT CChildEventSink::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CChildEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CChildEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT CChildEventSink::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO*, UINT*)
{
    if (result) VariantInit(result);
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    // The handler may disconnect this sink while it runs; run a copy.
    const Handler handler = m_handler;
    if (!handler) return S_OK;
    DISPPARAMS none;
    try {
        return handler(member, params ? params : &none);
    } catch (...) {
        return E_UNEXPECTED;
    }
}
