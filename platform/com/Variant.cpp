#include "com/Variant.h"

#include "com/Unknown.h"

#include <cstdlib>
#include <limits>
#include <string>

void VariantInit(VARIANT* v)
{
    v->vt = VT_EMPTY;
    v->lVal = 0;
}

HRESULT VariantClear(VARIANT* v)
{
    if (!v) return E_POINTER;
    switch (v->vt) {
    case VT_BSTR: SysFreeString(v->bstrVal); break;
    case VT_UNKNOWN: if (v->punkVal) v->punkVal->Release(); break;
    case VT_DISPATCH: if (v->pdispVal) v->pdispVal->Release(); break;
    default: break;
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* source)
{
    if (!dest || !source) return E_POINTER;
    if (dest == source) return S_OK;
    VariantClear(dest);
    *dest = *source;
    switch (source->vt) {
    case VT_BSTR:
        dest->bstrVal = source->bstrVal ? SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal)) : nullptr;
        if (source->bstrVal && !dest->bstrVal) {
            VariantInit(dest);
            return E_OUTOFMEMORY;
        }
        break;
    case VT_UNKNOWN: if (dest->punkVal) dest->punkVal->AddRef(); break;
    case VT_DISPATCH: if (dest->pdispVal) dest->pdispVal->AddRef(); break;
    default: break;
    }
    return S_OK;
}

namespace {

bool ReadNumber(const VARIANT& v, long long& value)
{
    switch (v.vt) {
    case VT_EMPTY: value = 0; return true;
    case VT_I2: value = v.iVal; return true;
    case VT_I4: value = v.lVal; return true;
    case VT_UI4: value = v.ulVal; return true;
    case VT_BOOL: value = v.boolVal ? -1 : 0; return true;
    case VT_BSTR: {
        std::string narrow;
        for (UINT i = 0; i < SysStringLen(v.bstrVal); ++i) {
            if (v.bstrVal[i] > 0x7F) return false;
            narrow.push_back(static_cast<char>(v.bstrVal[i]));
        }
        char* end = nullptr;
        value = std::strtoll(narrow.c_str(), &end, 10);
        return !narrow.empty() && *end == 0;
    }
    default: return false;
    }
}

template <typename T>
bool Fits(long long value)
{
    return value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max();
}

} // namespace

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, USHORT, VARTYPE vt)
{
    if (!dest || !source) return E_POINTER;
    if (vt == source->vt) return VariantCopy(dest, source);
    long long value = 0;
    if (!ReadNumber(*source, value)) return DISP_E_TYPEMISMATCH;
    VARIANT result;
    VariantInit(&result);
    result.vt = vt;
    switch (vt) {
    case VT_I2:
        if (!Fits<SHORT>(value)) return DISP_E_OVERFLOW;
        result.iVal = static_cast<SHORT>(value);
        break;
    case VT_I4:
        if (!Fits<LONG>(value)) return DISP_E_OVERFLOW;
        result.lVal = static_cast<LONG>(value);
        break;
    case VT_UI4:
        if (!Fits<ULONG>(value)) return DISP_E_OVERFLOW;
        result.ulVal = static_cast<ULONG>(value);
        break;
    case VT_BOOL: result.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_BSTR: {
        const std::string text = std::to_string(value);
        const std::u16string wide(text.begin(), text.end());
        result.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        if (!result.bstrVal) return E_OUTOFMEMORY;
        break;
    }
    default: return DISP_E_TYPEMISMATCH;
    }
    VariantClear(dest);
    *dest = result;
    return S_OK;
}

CComVariant CComVariant::I2(SHORT value)
{
    CComVariant v;
    v.vt = VT_I2;
    v.iVal = value;
    return v;
}

CComVariant CComVariant::I4(LONG value)
{
    CComVariant v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

CComVariant CComVariant::UI4(ULONG value)
{
    CComVariant v;
    v.vt = VT_UI4;
    v.ulVal = value;
    return v;
}

CComVariant CComVariant::Bool(bool value)
{
    CComVariant v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

CComVariant CComVariant::Text(std::u16string_view value)
{
    CComVariant v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return v;
}

CComVariant CComVariant::Object(IDispatch* value)
{
    CComVariant v;
    v.vt = VT_DISPATCH;
    v.pdispVal = value;
    if (value) value->AddRef();
    return v;
}
