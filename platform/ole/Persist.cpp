#include "ole/Persist.h"

#include "com/ComPtr.h"
#include "com/ComRuntime.h"
#include "ole/Font.h"
#include "ole/Picture.h"
#include "ole/StreamReader.h"
#include "ole/StreamWriter.h"

namespace {

// A picture's persistent data is its byte count and its encoded bytes;
// OleLoadPicture takes the bytes once the count is known.
HRESULT LoadPicture(IStream* stream, REFIID riid, void** object)
{
    CStreamReader in(stream);
    const DWORD size = in.U32();
    if (size == 0 || size > in.Remaining()) in.Fail(STG_E_READFAULT);
    if (FAILED(in.Result())) return in.Result();
    return OleLoadPicture(stream, static_cast<LONG>(size), FALSE, riid, object);
}

HRESULT LoadWithPersistence(IPersistStream* persist, IStream* stream, REFIID riid, void** object)
{
    const HRESULT hr = persist->Load(stream);
    if (FAILED(hr)) return hr;
    return persist->QueryInterface(riid, object);
}

}  // namespace

HRESULT OleLoadObject(REFCLSID clsid, IStream* stream, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!stream) return E_POINTER;
    if (clsid == CLSID_StdPicture) return LoadPicture(stream, riid, object);

    CComPtr<IPersistStream> persist;
    const HRESULT hr =
        clsid == CLSID_StdFont
            ? OleCreateFontIndirect(FONTDESC{}, IID_IPersistStream, reinterpret_cast<void**>(&persist))
            : CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStream,
                               reinterpret_cast<void**>(&persist));
    if (FAILED(hr)) return hr;
    return LoadWithPersistence(persist, stream, riid, object);
}

HRESULT OleSaveObject(IUnknown* object, IStream* stream)
{
    if (!object || !stream) return E_POINTER;
    CComPtr<IPersistStream> persist;
    HRESULT hr = object->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist));
    if (FAILED(hr)) return hr;
    CLSID clsid{};
    hr = persist->GetClassID(&clsid);
    if (FAILED(hr)) return hr;
    CStreamWriter out(stream);
    out.Guid(clsid);
    if (FAILED(out.Result())) return out.Result();
    return persist->Save(stream, FALSE);
}
