#pragma once
// CDispatchCall: one call that IDispatch::Invoke hands to a control, with
// its positional arguments read by type and its result written by type, so
// that a control's dispatch hook reads as a list of calls to its own
// members. For a property put, the new value is argument 0.
#include "com/ComPtr.h"
#include "com/Variant.h"
#include "ole/PropertyMap.h"

class CDispatchCall {
public:
    // `params` must not be null; `result` may be.
    CDispatchCall(const DISPPARAMS* params, VARIANT* result);

    // The argument at `position` (0 is the first) converted to the type;
    // DISP_E_BADPARAMCOUNT or DISP_E_TYPEMISMATCH as CDispatchHelper answers.
    HRESULT Short(UINT position, SHORT& value) const;
    HRESULT Long(UINT position, LONG& value) const;
    // A colour arrives as VT_UI4 or as VT_I4 holding the same bits.
    HRESULT Colour(UINT position, OLE_COLOR& value) const;
    HRESULT Text(UINT position, CComBSTR& value) const;
    // VT_DISPATCH, VT_UNKNOWN answering IDispatch, or VT_EMPTY for none.
    HRESULT Object(UINT position, CComPtr<IDispatch>& value) const;

    // Each Return passes `hr` on and stores the value only when it
    // succeeded (and the caller asked for a result). The value is taken by
    // reference and read only then, so that a hook may write
    // `return call.ReturnLong(get_Count(&count), count);`.
    HRESULT ReturnShort(HRESULT hr, const SHORT& value);
    HRESULT ReturnBool(HRESULT hr, const VARIANT_BOOL& value);
    HRESULT ReturnLong(HRESULT hr, const LONG& value);
    HRESULT ReturnColour(HRESULT hr, const OLE_COLOR& value);
    HRESULT ReturnText(HRESULT hr, const CComBSTR& value);
    template <typename T>
    HRESULT ReturnObject(HRESULT hr, const CComPtr<T>& value)
    {
        return ReturnDispatch(hr, value.get());
    }

private:
    const VARIANT* Argument(UINT position) const;
    HRESULT ReturnDispatch(HRESULT hr, IDispatch* value);
    HRESULT Return(HRESULT hr, CComVariant value);

    const DISPPARAMS* m_params;
    VARIANT* m_result;
};
