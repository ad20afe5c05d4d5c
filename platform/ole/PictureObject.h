#pragma once
// CPictureObject: a decoded image with the picture interfaces on top. It
// keeps the bytes it was decoded from, so that saving writes the original
// file rather than a re-encoding.
#include "com/UnknownImpl.h"
#include "ole/Persist.h"
#include "ole/Picture.h"

#include <QByteArray>
#include <QImage>

class CPictureObject final : public IPicture, public IPictureDisp, public IPersistStream {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IPicture, static_cast<IPicture*>(this)},
                             {&IID_IPictureDisp, static_cast<IPictureDisp*>(this)},
                             {&IID_IDispatch, static_cast<IPictureDisp*>(this)},
                             {&IID_IPersistStream, static_cast<IPersistStream*>(this)},
                             {&IID_IPersist, static_cast<IPersistStream*>(this)})

public:
    // `image` must not be null; `encoded` is what it was decoded from.
    CPictureObject(QImage image, QByteArray encoded);

    // IPicture
    HRESULT get_Type(SHORT* type) override;
    HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) override;
    HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) override;
    HRESULT Render(QPainter* painter, LONG x, LONG y, LONG cx, LONG cy, OLE_XSIZE_HIMETRIC xSrc,
                   OLE_YSIZE_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc) override;
    HRESULT GetImage(QImage* image) override;
    HRESULT SaveAsFile(IStream* stream, BOOL saveMemCopy, LONG* size) override;

    // IDispatch: the properties Handle, Type, Width and Height, read only.
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;

    // IPersistStream: a 32-bit byte count, then the bytes the picture was
    // decoded from. Load replaces the picture only when the bytes decode.
    HRESULT GetClassID(CLSID* clsid) override;
    HRESULT IsDirty() override;
    HRESULT Load(IStream* stream) override;
    HRESULT Save(IStream* stream, BOOL clearDirty) override;
    HRESULT GetSizeMax(std::uint64_t* size) override;

private:
    ~CPictureObject() = default;

    QImage m_image;
    QByteArray m_encoded;
    OLE_XSIZE_HIMETRIC m_hmWidth;
    OLE_YSIZE_HIMETRIC m_hmHeight;
    LONG m_handle;  // a number unique to this picture, never 0, for the Handle property
};
