#include "ole/ControlStream.h"

#include "com/ComPtr.h"
#include "ole/Font.h"
#include "ole/Picture.h"
#include "ole/StreamReader.h"
#include "ole/StreamWriter.h"

namespace {

// The object a value refers to, or null for an empty value.
HRESULT ObjectOf(const VARIANT& value, CComPtr<IUnknown>& object)
{
    switch (value.vt) {
    case VT_EMPTY: return S_OK;
    case VT_DISPATCH: object = value.pdispVal; return S_OK;
    case VT_UNKNOWN: object = value.punkVal; return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

// The one class an object property may name. A stream is data from outside:
// loading whatever registered class it names would create, and run, any
// component at all in place of a font or a picture.
const CLSID& ClassOf(PropertyKind kind) { return kind == PropertyKind::Font ? CLSID_StdFont : CLSID_StdPicture; }

HRESULT WriteValue(CStreamWriter& out, IStream* stream, PropertyKind kind, const VARIANT& value)
{
    const VARTYPE vt = CControlStream::TypeOf(kind);
    out.U16(vt);
    if (vt == VT_DISPATCH) {
        CComPtr<IUnknown> object;
        const HRESULT hr = ObjectOf(value, object);
        if (FAILED(hr)) return hr;
        if (!object) {
            out.Guid(GUID_NULL);
            return out.Result();
        }
        if (FAILED(out.Result())) return out.Result();
        return OleSaveObject(object, stream);
    }
    CComVariant converted;
    const HRESULT hr = VariantChangeType(&converted, &value, 0, vt);
    if (FAILED(hr)) return hr;
    switch (vt) {
    case VT_BOOL: out.U16(static_cast<WORD>(converted.boolVal ? VARIANT_TRUE : VARIANT_FALSE)); break;
    case VT_UI4: out.U32(converted.ulVal); break;
    case VT_I4: out.U32(static_cast<DWORD>(converted.lVal)); break;
    case VT_BSTR: out.Text(std::u16string_view(converted.bstrVal ? converted.bstrVal : u"", SysStringLen(converted.bstrVal))); break;
    default: return E_UNEXPECTED;
    }
    return out.Result();
}

HRESULT ReadValue(CStreamReader& in, IStream* stream, PropertyKind kind, CComVariant& value)
{
    const VARTYPE vt = CControlStream::TypeOf(kind);
    const WORD tag = in.U16();
    if (FAILED(in.Result())) return in.Result();
    if (tag != vt) return E_FAIL;
    switch (vt) {
    case VT_BOOL: value = CComVariant::Bool(in.U16() != 0); break;
    case VT_UI4: value.vt = VT_UI4; value.ulVal = in.U32(); break;
    case VT_I4: value = CComVariant::I4(static_cast<LONG>(in.U32())); break;
    case VT_BSTR: {
        const std::u16string text = in.Text();
        if (FAILED(in.Result())) return in.Result();
        value = CComVariant::Text(text);
        break;
    }
    case VT_DISPATCH: {
        const GUID clsid = in.Guid();
        if (FAILED(in.Result())) return in.Result();
        if (clsid != GUID_NULL && clsid != ClassOf(kind)) return DISP_E_TYPEMISMATCH;
        CComPtr<IDispatch> object;
        if (clsid != GUID_NULL) {
            const HRESULT hr = OleLoadObject(clsid, stream, IID_IDispatch, reinterpret_cast<void**>(&object));
            if (FAILED(hr)) return hr;
        }
        value = CComVariant::Object(object);
        break;
    }
    default: return E_UNEXPECTED;
    }
    return in.Result();
}

}  // namespace

VARTYPE CControlStream::TypeOf(PropertyKind kind)
{
    switch (kind) {
    case PropertyKind::Bool: return VT_BOOL;
    case PropertyKind::Colour: return VT_UI4;
    case PropertyKind::Integer: return VT_I4;
    case PropertyKind::Text: return VT_BSTR;
    case PropertyKind::Font:
    case PropertyKind::Picture: return VT_DISPATCH;
    }
    return VT_EMPTY;
}

HRESULT CControlStream::Write(IStream* stream, const SIZEL& extent, std::span<const PROPERTYDESC> map,
                              std::span<const CComVariant> values)
{
    if (!stream) return E_POINTER;
    if (values.size() != map.size()) return E_INVALIDARG;
    CStreamWriter out(stream);
    out.U32(kVersion);
    out.U32(static_cast<DWORD>(extent.cx));
    out.U32(static_cast<DWORD>(extent.cy));
    if (FAILED(out.Result())) return out.Result();
    for (size_t i = 0; i < map.size(); ++i) {
        const HRESULT hr = WriteValue(out, stream, map[i].kind, values[i]);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT CControlStream::Read(IStream* stream, std::span<const PROPERTYDESC> map, SIZEL& extent,
                             std::vector<CComVariant>& values)
{
    if (!stream) return E_POINTER;
    CStreamReader in(stream);
    const DWORD version = in.U32();
    SIZEL read;
    read.cx = static_cast<LONG>(in.U32());
    read.cy = static_cast<LONG>(in.U32());
    if (FAILED(in.Result())) return in.Result();
    if (version > kVersion) return E_FAIL;

    std::vector<CComVariant> loaded(map.size());
    for (size_t i = 0; i < map.size(); ++i) {
        const HRESULT hr = ReadValue(in, stream, map[i].kind, loaded[i]);
        if (FAILED(hr)) return hr;
    }
    extent = read;
    values = std::move(loaded);
    return S_OK;
}
