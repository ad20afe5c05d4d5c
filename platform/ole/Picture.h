#pragma once
// Picture objects over QImage: IPicture for the code that paints, and
// IPictureDisp for the callers that only pass pictures along.
#include "com/Unknown.h"
#include "ole/Stream.h"

class QImage;
class QPainter;

using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;

constexpr SHORT PICTYPE_NONE = 0;
constexpr SHORT PICTYPE_BITMAP = 1;

struct IPicture : IUnknown {
    virtual HRESULT get_Type(SHORT* type) = 0;
    // Size in HIMETRIC (0.01 mm); pixels = MulDiv(himetric, 96, 2540).
    virtual HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) = 0;
    virtual HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) = 0;
    // Draws the source rectangle (HIMETRIC, ySrc measured from the bottom
    // edge, cySrc negative to run upwards, as on the desktop; its edges
    // rounded to whole pixels of the image) into the target rectangle
    // (pixels) of the painter. What of the source lies outside the picture
    // is not drawn, and the target shrinks with it.
    virtual HRESULT Render(QPainter* painter, LONG x, LONG y, LONG cx, LONG cy, OLE_XSIZE_HIMETRIC xSrc,
                           OLE_YSIZE_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc) = 0;
    // The decoded image.
    virtual HRESULT GetImage(QImage* image) = 0;
    // The bytes the picture was loaded from, for saving.
    virtual HRESULT SaveAsFile(IStream* stream, BOOL saveMemCopy, LONG* size) = 0;
};
constexpr IID IID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

// The dispatch face of a picture: properties Handle (0), Type (5), Width (2),
// Height (3) by dispatch id.
struct IPictureDisp : IDispatch {};
constexpr IID IID_IPictureDisp = {0x7BF80981, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

constexpr DISPID DISPID_PICT_HANDLE = 0;
constexpr DISPID DISPID_PICT_WIDTH = 2;
constexpr DISPID DISPID_PICT_HEIGHT = 3;
constexpr DISPID DISPID_PICT_TYPE = 5;

constexpr CLSID CLSID_StdPicture = {0x0BE35204, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

// Decodes BMP, GIF, JPEG or PNG bytes read from the stream (size 0: to its
// end) into a picture, answering riid (IPicture or IPictureDisp).
HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL runMode, REFIID riid, void** picture);

// A private copy of a picture: the source is saved through its stream
// persistence into memory and a new picture is loaded from there, so that
// the copy shares nothing with the source. A null source gives a null copy
// and S_OK; a source that cannot be saved or reloaded gives a null copy and
// the failure.
HRESULT OleCopyPicture(IUnknown* source, REFIID riid, void** copy);
