#include "ole/PictureObject.h"

#include "com/TypeInfo.h"
#include "ole/StreamReader.h"
#include "ole/StreamWriter.h"
#include "ui/MulDiv.h"

#include <QPainter>

#include <atomic>
#include <cmath>

namespace {

// A desktop screen has 96 pixels to the inch; HIMETRIC counts 2540 to it.
constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

constexpr MEMBERDESC kMembers[] = {
    {DISPID_PICT_HANDLE, u"Handle", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_PICT_WIDTH, u"Width", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_PICT_HEIGHT, u"Height", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_PICT_TYPE, u"Type", INVOKE_PROPERTYGET, 0, u""},
};

LONG NextHandle()
{
    static std::atomic<LONG> last{0};
    LONG handle = ++last;
    while (handle <= 0) handle = ++last;  // wrapped: skip 0 and the negatives
    return handle;
}

}  // namespace

CPictureObject::CPictureObject(QImage image, QByteArray encoded)
    : m_image(std::move(image)),
      m_encoded(std::move(encoded)),
      m_hmWidth(MulDiv(m_image.width(), kHimetricPerInch, kPixelsPerInch)),
      m_hmHeight(MulDiv(m_image.height(), kHimetricPerInch, kPixelsPerInch)),
      m_handle(NextHandle())
{
}

HRESULT CPictureObject::get_Type(SHORT* type)
{
    if (!type) return E_POINTER;
    *type = PICTYPE_BITMAP;
    return S_OK;
}

HRESULT CPictureObject::get_Width(OLE_XSIZE_HIMETRIC* width)
{
    if (!width) return E_POINTER;
    *width = m_hmWidth;
    return S_OK;
}

HRESULT CPictureObject::get_Height(OLE_YSIZE_HIMETRIC* height)
{
    if (!height) return E_POINTER;
    *height = m_hmHeight;
    return S_OK;
}

HRESULT CPictureObject::Render(QPainter* painter, LONG x, LONG y, LONG cx, LONG cy, OLE_XSIZE_HIMETRIC xSrc,
                               OLE_YSIZE_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc)
{
    if (!painter) return E_POINTER;
    if (m_hmWidth <= 0 || m_hmHeight <= 0 || cxSrc == 0 || cySrc == 0 || cx == 0 || cy == 0) return E_INVALIDARG;

    // The source rectangle is in HIMETRIC with y growing upwards from the
    // bottom edge; the image's pixels grow downwards from the top. The usual
    // call, (0, height, width, -height), therefore means the whole picture
    // upright, and a positive cySrc means it upside down.
    // Its edges land on whole pixels, as a device blit takes them: HIMETRIC
    // rarely falls on a pixel (a skin region 29 pixels in is asked for at 767
    // HIMETRIC, 28.99 pixels), and a fractional edge would have the painter
    // resample the image instead of copying it.
    const auto column = [this](double himetric) { return std::round(himetric * m_image.width() / m_hmWidth); };
    const auto row = [this](double himetric) {
        return std::round((m_hmHeight - himetric) * m_image.height() / m_hmHeight);
    };
    const QRectF source =
        QRectF(QPointF(column(xSrc), row(ySrc)), QPointF(column(double(xSrc) + cxSrc), row(double(ySrc) + cySrc)))
            .normalized();
    if (source.isEmpty()) return S_OK;  // less than half a pixel: nothing to copy
    const QRectF target = QRectF(x, y, cx, cy).normalized();
    const bool mirrorX = (cxSrc < 0) != (cx < 0);
    const bool mirrorY = (cySrc > 0) != (cy < 0);

    painter->save();
    if (mirrorX || mirrorY) {
        painter->translate(target.center());
        painter->scale(mirrorX ? -1 : 1, mirrorY ? -1 : 1);
        painter->translate(-target.center());
    }
    painter->drawImage(target, m_image, source);
    painter->restore();
    return S_OK;
}

HRESULT CPictureObject::GetImage(QImage* image)
{
    if (!image) return E_POINTER;
    *image = m_image;
    return S_OK;
}

HRESULT CPictureObject::SaveAsFile(IStream* stream, BOOL, LONG* size)
{
    if (size) *size = 0;
    if (!stream) return E_POINTER;
    ULONG written = 0;
    const HRESULT hr = stream->Write(m_encoded.constData(), static_cast<ULONG>(m_encoded.size()), &written);
    if (size) *size = static_cast<LONG>(written);
    return hr;
}

HRESULT CPictureObject::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CPictureObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CPictureObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return LookUpMemberNames(kMembers, names, count, ids);
}

HRESULT CPictureObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO*, UINT*)
{
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    VARIANT value;
    VariantInit(&value);
    switch (member) {
    case DISPID_PICT_HANDLE: value.vt = VT_I4; value.lVal = m_handle; break;
    case DISPID_PICT_WIDTH: value.vt = VT_I4; value.lVal = m_hmWidth; break;
    case DISPID_PICT_HEIGHT: value.vt = VT_I4; value.lVal = m_hmHeight; break;
    case DISPID_PICT_TYPE: value.vt = VT_I2; value.iVal = PICTYPE_BITMAP; break;
    default: return DISP_E_MEMBERNOTFOUND;
    }
    if (result) *result = value;
    return S_OK;
}

HRESULT CPictureObject::GetClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = CLSID_StdPicture;
    return S_OK;
}

HRESULT CPictureObject::IsDirty() { return S_FALSE; }

HRESULT CPictureObject::Load(IStream* stream)
{
    CStreamReader in(stream);
    const DWORD size = in.U32();
    if (size > in.Remaining()) in.Fail(STG_E_READFAULT);
    if (FAILED(in.Result())) return in.Result();
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    in.Bytes(bytes.data(), size);
    if (FAILED(in.Result())) return in.Result();
    QImage image;
    if (!image.loadFromData(bytes) || image.isNull()) return E_FAIL;
    m_image = std::move(image);
    m_encoded = std::move(bytes);
    m_hmWidth = MulDiv(m_image.width(), kHimetricPerInch, kPixelsPerInch);
    m_hmHeight = MulDiv(m_image.height(), kHimetricPerInch, kPixelsPerInch);
    return S_OK;
}

HRESULT CPictureObject::Save(IStream* stream, BOOL)
{
    CStreamWriter out(stream);
    out.U32(static_cast<DWORD>(m_encoded.size()));
    out.Bytes(m_encoded.constData(), static_cast<ULONG>(m_encoded.size()));
    return out.Result();
}

HRESULT CPictureObject::GetSizeMax(std::uint64_t* size)
{
    if (!size) return E_POINTER;
    *size = 4 + static_cast<std::uint64_t>(m_encoded.size());
    return S_OK;
}
