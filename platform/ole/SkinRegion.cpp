#include "ole/SkinRegion.h"

#include "com/ComPtr.h"
#include "ui/MulDiv.h"

namespace {

constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

}  // namespace

void PaintSkinRegion(QPainter& painter, IPictureDisp* skin, int x, int y)
{
    CComPtr<IPicture> picture;
    if (!skin || FAILED(skin->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture)))) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height))) return;
    // The whole skin, its source origin moved to the control's corner; the
    // picture rounds the HIMETRIC origin back to the very pixel asked for.
    picture->Render(&painter, 0, 0, MulDiv(width, kPixelsPerInch, kHimetricPerInch),
                    MulDiv(height, kPixelsPerInch, kHimetricPerInch), MulDiv(x, kHimetricPerInch, kPixelsPerInch),
                    MulDiv(y, kHimetricPerInch, kPixelsPerInch), width, -height);
}
