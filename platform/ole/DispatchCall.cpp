#include "ole/DispatchCall.h"

#include "com/DispatchHelper.h"

CDispatchCall::CDispatchCall(const DISPPARAMS* params, VARIANT* result) : m_params(params), m_result(result) {}

const VARIANT* CDispatchCall::Argument(UINT position) const
{
    if (position >= m_params->cArgs || !m_params->rgvarg) return nullptr;
    return &m_params->rgvarg[m_params->cArgs - 1 - position];
}

HRESULT CDispatchCall::Short(UINT position, SHORT& value) const
{
    CComVariant converted;
    const HRESULT hr = CDispatchHelper::GetArgument(m_params, position, VT_I2, converted);
    if (SUCCEEDED(hr)) value = converted.iVal;
    return hr;
}

HRESULT CDispatchCall::Long(UINT position, LONG& value) const
{
    CComVariant converted;
    const HRESULT hr = CDispatchHelper::GetArgument(m_params, position, VT_I4, converted);
    if (SUCCEEDED(hr)) value = converted.lVal;
    return hr;
}

HRESULT CDispatchCall::Colour(UINT position, OLE_COLOR& value) const
{
    const VARIANT* argument = Argument(position);
    if (argument && argument->vt == VT_I4) {
        value = static_cast<OLE_COLOR>(argument->lVal);
        return S_OK;
    }
    CComVariant converted;
    const HRESULT hr = CDispatchHelper::GetArgument(m_params, position, VT_UI4, converted);
    if (SUCCEEDED(hr)) value = converted.ulVal;
    return hr;
}

HRESULT CDispatchCall::Text(UINT position, CComBSTR& value) const
{
    CComVariant converted;
    const HRESULT hr = CDispatchHelper::GetArgument(m_params, position, VT_BSTR, converted);
    if (FAILED(hr)) return hr;
    value.Attach(converted.bstrVal);
    converted.vt = VT_EMPTY;  // the text now belongs to `value`
    return S_OK;
}

HRESULT CDispatchCall::Object(UINT position, CComPtr<IDispatch>& value) const
{
    const VARIANT* argument = Argument(position);
    if (!argument) return DISP_E_BADPARAMCOUNT;
    switch (argument->vt) {
    case VT_EMPTY: value.Release(); return S_OK;
    case VT_DISPATCH: value = argument->pdispVal; return S_OK;
    case VT_UNKNOWN:
        value.Release();
        if (!argument->punkVal) return S_OK;
        return argument->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&value)) == S_OK
                   ? S_OK
                   : DISP_E_TYPEMISMATCH;
    default: return DISP_E_TYPEMISMATCH;
    }
}

HRESULT CDispatchCall::Return(HRESULT hr, CComVariant value)
{
    if (FAILED(hr) || !m_result) return hr;
    VariantClear(m_result);
    *static_cast<VARIANT*>(m_result) = value;
    value.vt = VT_EMPTY;  // handed over to the caller's result
    return hr;
}

HRESULT CDispatchCall::ReturnShort(HRESULT hr, const SHORT& value) { return Return(hr, CComVariant::I2(value)); }

HRESULT CDispatchCall::ReturnBool(HRESULT hr, const VARIANT_BOOL& value) { return Return(hr, CComVariant::Bool(value != 0)); }

HRESULT CDispatchCall::ReturnLong(HRESULT hr, const LONG& value) { return Return(hr, CComVariant::I4(value)); }

HRESULT CDispatchCall::ReturnColour(HRESULT hr, const OLE_COLOR& value)
{
    CComVariant variant;
    variant.vt = VT_UI4;
    variant.ulVal = value;
    return Return(hr, variant);
}

HRESULT CDispatchCall::ReturnText(HRESULT hr, const CComBSTR& value)
{
    return Return(hr, CComVariant::Text(value.str()));
}

HRESULT CDispatchCall::ReturnDispatch(HRESULT hr, IDispatch* value) { return Return(hr, CComVariant::Object(value)); }
