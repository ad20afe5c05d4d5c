#include "ole/SkinRegion.h"

#include "com/ComPtr.h"
#include "ui/MulDiv.h"

namespace {

constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

// The picture's painting face and its HIMETRIC size; false for none.
bool Measure(IPictureDisp* picture, CComPtr<IPicture>& face, OLE_XSIZE_HIMETRIC& width, OLE_YSIZE_HIMETRIC& height)
{
    return picture && SUCCEEDED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&face))) &&
           SUCCEEDED(face->get_Width(&width)) && SUCCEEDED(face->get_Height(&height));
}

}  // namespace

QSize PictureSize(IPictureDisp* picture)
{
    CComPtr<IPicture> face;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!Measure(picture, face, width, height)) return {};
    return QSize(MulDiv(width, kPixelsPerInch, kHimetricPerInch), MulDiv(height, kPixelsPerInch, kHimetricPerInch));
}

void PaintPicture(QPainter& painter, IPictureDisp* picture, const QRect& target)
{
    CComPtr<IPicture> face;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (Measure(picture, face, width, height))
        face->Render(&painter, target.x(), target.y(), target.width(), target.height(), 0, height, width, -height);
}

void PaintSkinRegion(QPainter& painter, IPictureDisp* skin, int x, int y)
{
    CComPtr<IPicture> picture;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!Measure(skin, picture, width, height)) return;
    // The whole skin, its source origin moved to the control's corner; the
    // picture rounds the HIMETRIC origin back to the very pixel asked for.
    picture->Render(&painter, 0, 0, MulDiv(width, kPixelsPerInch, kHimetricPerInch),
                    MulDiv(height, kPixelsPerInch, kHimetricPerInch), MulDiv(x, kHimetricPerInch, kPixelsPerInch),
                    MulDiv(y, kHimetricPerInch, kPixelsPerInch), width, -height);
}
