#pragma once
// VARIANT: a tagged value as it crosses IDispatch::Invoke.
#include "com/Bstr.h"

struct IUnknown;
struct IDispatch;

using VARTYPE = std::uint16_t;
enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_BOOL = 11,
    VT_UNKNOWN = 13,
    VT_UI4 = 19,
};

struct VARIANT {
    VARTYPE vt;
    union {
        SHORT iVal;
        LONG lVal;
        ULONG ulVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
    };
};

void VariantInit(VARIANT* v);
// Frees what the variant owns (text, a reference) and leaves it VT_EMPTY.
HRESULT VariantClear(VARIANT* v);
HRESULT VariantCopy(VARIANT* dest, const VARIANT* source);
// Converts between the integer, boolean and text types: VT_I2, VT_I4, VT_UI4
// and VT_BOOL read one another (a boolean is -1 or 0), text parses as a decimal
// number and numbers print as decimal text. Anything else is
// DISP_E_TYPEMISMATCH; a value out of the target's range is DISP_E_OVERFLOW.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, USHORT flags, VARTYPE vt);

constexpr HRESULT DISP_E_OVERFLOW = MakeHResult(0x8002000A);

// An owned VARIANT that clears itself.
class CComVariant : public VARIANT {
public:
    CComVariant() { VariantInit(this); }
    CComVariant(const CComVariant& other) : CComVariant() { VariantCopy(this, &other); }
    CComVariant& operator=(const CComVariant& other)
    {
        if (this != &other) VariantCopy(this, &other);
        return *this;
    }
    ~CComVariant() { VariantClear(this); }

    static CComVariant I2(SHORT value);
    static CComVariant I4(LONG value);
    static CComVariant UI4(ULONG value);
    static CComVariant Bool(bool value);
    static CComVariant Text(std::u16string_view value);
    static CComVariant Object(IDispatch* value);  // adds a reference
};
