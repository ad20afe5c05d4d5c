#pragma once
// CControlStream: the persisted form every control of ours shares, both in a
// saved control and in the initial data a dialog template gives the controls
// it hosts. Little-endian throughout:
//   version     32 bits, kVersion; a higher version is refused
//   extent      width and height in HIMETRIC, 32 bits signed each
//   properties  in property-map order, each a 16-bit variant type and a value:
//               VT_BOOL 16-bit -1/0, VT_UI4 colour, VT_I4 integer, VT_BSTR a
//               32-bit byte count and UTF-16 units, VT_DISPATCH an object's
//               16-byte class identifier and its own persistent data (an
//               empty object is 16 zero bytes)
// Values travel as variants so that this layer knows nothing of controls or
// windows: the control base reads them from and writes them to its dispatch
// table, and a tool can write a stream without any control at all.
#include "com/Variant.h"
#include "ole/Persist.h"
#include "ole/PropertyMap.h"

#include <span>
#include <vector>

class CControlStream {
public:
    static constexpr DWORD kVersion = 0x0700;

    // The variant type a property's value has, in a stream and in a variant.
    static VARTYPE TypeOf(PropertyKind kind);

    // `values` holds one value per entry of `map`; each must convert to its
    // kind's type (an object may be VT_DISPATCH, VT_UNKNOWN or VT_EMPTY).
    static HRESULT Write(IStream* stream, const SIZEL& extent, std::span<const PROPERTYDESC> map,
                         std::span<const CComVariant> values);
    // Reads a whole stream, or nothing: `extent` and `values` change only on
    // success. Objects come back as VT_DISPATCH, empty ones as a null one. A
    // font property may name only CLSID_StdFont and a picture property only
    // CLSID_StdPicture: any other class fails with DISP_E_TYPEMISMATCH before
    // anything is created.
    static HRESULT Read(IStream* stream, std::span<const PROPERTYDESC> map, SIZEL& extent,
                        std::vector<CComVariant>& values);
};
