// A region of the skin paints exactly the skin's pixels from the offset asked
// for, whether or not the offset falls on a whole HIMETRIC unit.
#include "com/ComPtr.h"
#include "ole/SkinRegion.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <functional>

namespace {

// The console's skin is 520 x 500; here every pixel tells its own position.
QImage Skin()
{
    QImage image(520, 500, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) << 4 | (y >> 8)));
    return image;
}

CComPtr<IPictureDisp> Load(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    CComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnMemory(std::vector<BYTE>(bytes.begin(), bytes.end()), &stream), S_OK);
    CComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture)), S_OK);
    return picture;
}

// A control 40 x 25 device pixels large at the ratio, black where `paint`
// leaves it alone.
QImage Control(qreal ratio, const std::function<void(QPainter&)>& paint)
{
    QImage control(40, 25, QImage::Format_RGB32);
    control.setDevicePixelRatio(ratio);
    control.fill(Qt::black);
    QPainter painter(&control);
    paint(painter);
    painter.end();
    return control;
}

TEST(SkinRegion, PaintsTheSkinFromExactlyTheOffsetAskedFor)
{
    const QImage image = Skin();
    const CComPtr<IPictureDisp> skin = Load(image);
    // Rows from the top edge down to below the bottom one; only 24, 48, ...
    // pixels are whole HIMETRIC units. Columns run past the right edge, where
    // QImage::copy gives black too. A scaled desktop samples the skin between
    // its pixels, where a source origin off by a fraction shows.
    for (const qreal ratio : {1.0, 1.25, 2.0})
        for (const int y : {500, 482, 341, 165, 48, 37, 11})
            for (int x = 0; x < image.width(); ++x) {
                const QImage crop = image.copy(x, image.height() - y, 40, 25);
                ASSERT_TRUE(Control(ratio, [&](QPainter& p) { PaintSkinRegion(p, skin, x, y); }) ==
                            Control(ratio, [&](QPainter& p) { p.drawImage(0, 0, crop); }))
                    << x << ", " << y << " at " << ratio;
            }

    EXPECT_TRUE(Control(1, [](QPainter& p) { PaintSkinRegion(p, nullptr, 29, 482); }) == Control(1, [](QPainter&) {}))
        << "no skin, nothing painted";
}

}  // namespace
