#include "ole/Picture.h"

#include "com/ComPtr.h"
#include "ole/Persist.h"
#include "ole/PictureObject.h"

#include <QImage>

#include <new>

namespace {

// Reads `size` bytes, or to the end when size is 0; fewer bytes than asked
// for are handed on as they are, and the decoder judges them.
HRESULT ReadPictureBytes(IStream* stream, LONG size, QByteArray& bytes)
{
    if (size <= 0) {
        std::vector<BYTE> all;
        const HRESULT hr = ReadStreamToEnd(stream, all);
        if (FAILED(hr)) return hr;
        bytes = QByteArray(reinterpret_cast<const char*>(all.data()), static_cast<qsizetype>(all.size()));
        return S_OK;
    }
    bytes.resize(size);
    ULONG total = 0;
    while (total < ULONG(size)) {
        ULONG read = 0;
        const HRESULT hr = stream->Read(bytes.data() + total, ULONG(size) - total, &read);
        if (FAILED(hr)) return hr;
        if (read == 0) break;
        total += read;
    }
    bytes.truncate(total);
    return S_OK;
}

}  // namespace

HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL, REFIID riid, void** picture)
{
    if (!picture) return E_POINTER;
    *picture = nullptr;
    if (!stream) return E_POINTER;

    QByteArray bytes;
    const HRESULT hr = ReadPictureBytes(stream, size, bytes);
    if (FAILED(hr)) return hr;
    // The format is told by the bytes themselves: BMP and PNG are built into
    // Qt, GIF and JPEG come as image plug-ins.
    QImage image;
    if (!image.loadFromData(bytes) || image.isNull()) return E_FAIL;

    return HandOutNewObject(new (std::nothrow) CPictureObject(std::move(image), std::move(bytes)), riid, picture);
}

HRESULT OleCopyPicture(IUnknown* source, REFIID riid, void** copy)
{
    if (!copy) return E_POINTER;
    *copy = nullptr;
    if (!source) return S_OK;
    CComPtr<IPersistStream> persist;
    HRESULT hr = source->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist));
    if (FAILED(hr)) return hr;
    CComPtr<IStream> memory;
    hr = CreateStreamOnMemory({}, &memory);
    if (FAILED(hr)) return hr;
    hr = persist->Save(memory, FALSE);
    if (FAILED(hr)) return hr;
    hr = memory->Seek(0, STREAM_SEEK_SET, nullptr);
    if (FAILED(hr)) return hr;
    return OleLoadObject(CLSID_StdPicture, memory, riid, copy);
}
