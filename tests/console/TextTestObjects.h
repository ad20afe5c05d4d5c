#pragma once
// Fonts and skins for the tests of the console's text controls.
#include "PictureBytes.h"
#include "com/ComPtr.h"
#include "ole/Font.h"
#include "ole/Picture.h"
#include "ole/Stream.h"

#include <gtest/gtest.h>

inline CComPtr<IFontDisp> MakeFont(std::int64_t size, SHORT weight = FW_NORMAL)
{
    FONTDESC desc;
    desc.cySize.int64 = size;
    desc.sWeight = weight;
    CComPtr<IFontDisp> font;
    EXPECT_EQ(OleCreateFontIndirect(desc, IID_IFontDisp, reinterpret_cast<void**>(&font)), S_OK);
    return font;
}

inline CComPtr<IPictureDisp> MakePicture(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    CComPtr<IStream> stream;
    CreateStreamOnMemory(std::vector<BYTE>(bytes.begin(), bytes.end()), &stream);
    CComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture)), S_OK);
    return picture;
}

// Whether any pixel of `image` is exactly `colour`.
inline bool Shows(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) return true;
    return false;
}
