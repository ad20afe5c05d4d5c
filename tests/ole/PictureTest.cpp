// Pictures decoded from the image formats quiz documents carry, their size
// in HIMETRIC, their dispatch face and how they paint. No QGuiApplication
// exists here on purpose: the quiz reader decodes pictures on a worker thread
// of a program whose application object is not ours to rely on.
#include "com/ComPtr.h"
#include "ole/Picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace {

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

// 96 x 48 pixels, one inch by half an inch: 2540 x 1270 HIMETRIC. Each
// quarter has its own colour, so that a test sees which part was drawn where.
QImage Quarters()
{
    QImage image(96, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 96; ++x) image.setPixel(x, y, y < 24 ? (x < 48 ? kRed : kGreen) : (x < 48 ? kBlue : kWhite));
    return image;
}

QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

// Qt reads GIF but does not write it: a 96 x 48 logical screen holding one
// black pixel on a white background, assembled by hand.
QByteArray TinyGif()
{
    const char bytes[] = "GIF89a" "\x60\x00\x30\x00" "\x80\x00\x00" "\xFF\xFF\xFF\x00\x00\x00"
                         "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00" "\x02\x02\x4C\x01\x00" "\x3B";
    return QByteArray(bytes, sizeof bytes - 1);
}

std::vector<BYTE> Vector(const QByteArray& bytes) { return std::vector<BYTE>(bytes.begin(), bytes.end()); }

HRESULT Load(const QByteArray& bytes, REFIID riid, void** picture, LONG size = 0)
{
    CComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnMemory(Vector(bytes), &stream), S_OK);
    return OleLoadPicture(stream, size, FALSE, riid, picture);
}

CComPtr<IPicture> LoadPicture(const QByteArray& bytes)
{
    CComPtr<IPicture> picture;
    EXPECT_EQ(Load(bytes, IID_IPicture, reinterpret_cast<void**>(&picture)), S_OK);
    return picture;
}

VARIANT Get(IPictureDisp* picture, DISPID member)
{
    DISPPARAMS none;
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(picture->Invoke(member, GUID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    return result;
}

QImage RenderInto(IPicture* picture, QSize size, LONG xSrc, LONG ySrc, LONG cxSrc, LONG cySrc)
{
    QImage target(size, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    EXPECT_EQ(picture->Render(&painter, 0, 0, size.width(), size.height(), xSrc, ySrc, cxSrc, cySrc), S_OK);
    painter.end();
    return target;
}

}  // namespace

TEST(Picture, DecodesEveryQuizFormatWithItsSizeInHimetric)
{
    const QImage quarters = Quarters();
    const struct {
        const char* format;
        QByteArray bytes;
        bool lossless;
    } cases[] = {
        {"BMP", Encode(quarters, "BMP"), true},
        {"PNG", Encode(quarters, "PNG"), true},
        {"JPEG", Encode(quarters, "JPEG"), false},
        {"GIF", TinyGif(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        CComPtr<IPictureDisp> disp;
        ASSERT_EQ(Load(c.bytes, IID_IPictureDisp, reinterpret_cast<void**>(&disp)), S_OK);
        CComPtr<IPicture> picture;
        ASSERT_EQ(disp.QueryInterface(IID_IPicture, &picture), S_OK);

        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        SHORT type = PICTYPE_NONE;
        EXPECT_EQ(picture->get_Width(&width), S_OK);
        EXPECT_EQ(picture->get_Height(&height), S_OK);
        EXPECT_EQ(picture->get_Type(&type), S_OK);
        EXPECT_EQ(width, 2540);
        EXPECT_EQ(height, 1270);
        EXPECT_EQ(type, PICTYPE_BITMAP);

        QImage image;
        ASSERT_EQ(picture->GetImage(&image), S_OK);
        EXPECT_EQ(image.size(), QSize(96, 48));
        if (c.lossless) {
            EXPECT_EQ(image.pixel(95, 0), kGreen);
            EXPECT_EQ(image.pixel(0, 47), kBlue);
        }

        // Saving hands back the very bytes the picture came from.
        CComPtr<IStream> saved;
        ASSERT_EQ(CreateStreamOnMemory({}, &saved), S_OK);
        LONG size = 0;
        ASSERT_EQ(picture->SaveAsFile(saved, TRUE, &size), S_OK);
        EXPECT_EQ(size, c.bytes.size());
        ASSERT_EQ(saved->Seek(0, STREAM_SEEK_SET, nullptr), S_OK);
        std::vector<BYTE> back;
        ASSERT_EQ(ReadStreamToEnd(saved, back), S_OK);
        EXPECT_EQ(back, Vector(c.bytes));
    }
}

TEST(Picture, ReadsFromTheCurrentPositionAndOnlyTheSizeAskedFor)
{
    const QByteArray png = Encode(Quarters(), "PNG");
    CComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnMemory(Vector("head" + png + "tail"), &stream), S_OK);
    ASSERT_EQ(stream->Seek(4, STREAM_SEEK_SET, nullptr), S_OK);

    CComPtr<IPicture> picture;
    ASSERT_EQ(OleLoadPicture(stream, static_cast<LONG>(png.size()), FALSE, IID_IPicture,
                             reinterpret_cast<void**>(&picture)), S_OK);
    std::vector<BYTE> rest;
    ASSERT_EQ(ReadStreamToEnd(stream, rest), S_OK);
    EXPECT_EQ(std::string(rest.begin(), rest.end()), "tail");
}

TEST(Picture, RefusesWhatIsNoImage)
{
    const QByteArray png = Encode(Quarters(), "PNG");
    for (const QByteArray& bytes : {QByteArray(), QByteArray("not a picture at all, just some text"),
                                    QByteArray("BM"), png.left(png.size() / 2)}) {
        void* picture = &picture;
        EXPECT_TRUE(FAILED(Load(bytes, IID_IPictureDisp, &picture))) << bytes.size();
        EXPECT_EQ(picture, nullptr);
    }
    void* picture = &picture;
    EXPECT_EQ(Load(png, IID_IStream, &picture), E_NOINTERFACE);
    EXPECT_EQ(picture, nullptr);
    EXPECT_EQ(OleLoadPicture(nullptr, 0, FALSE, IID_IPicture, &picture), E_POINTER);
}

TEST(Picture, AnswersItsPropertiesThroughDispatch)
{
    CComPtr<IPictureDisp> first;
    CComPtr<IPictureDisp> second;
    ASSERT_EQ(Load(Encode(Quarters(), "BMP"), IID_IPictureDisp, reinterpret_cast<void**>(&first)), S_OK);
    ASSERT_EQ(Load(TinyGif(), IID_IPictureDisp, reinterpret_cast<void**>(&second)), S_OK);

    const VARIANT width = Get(first, DISPID_PICT_WIDTH);
    const VARIANT height = Get(first, DISPID_PICT_HEIGHT);
    const VARIANT type = Get(first, DISPID_PICT_TYPE);
    EXPECT_EQ(width.vt, VT_I4);
    EXPECT_EQ(width.lVal, 2540);
    EXPECT_EQ(height.vt, VT_I4);
    EXPECT_EQ(height.lVal, 1270);
    EXPECT_EQ(type.vt, VT_I2);
    EXPECT_EQ(type.iVal, PICTYPE_BITMAP);
    const VARIANT handle = Get(first, DISPID_PICT_HANDLE);
    EXPECT_EQ(handle.vt, VT_I4);
    EXPECT_NE(handle.lVal, 0);
    EXPECT_NE(handle.lVal, Get(second, DISPID_PICT_HANDLE).lVal);
    // A script host that cannot tell a get from a method sends both flags.
    DISPPARAMS none;
    CComVariant asMethod;
    EXPECT_EQ(first->Invoke(DISPID_PICT_WIDTH, GUID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &asMethod,
                            nullptr, nullptr),
              S_OK);
    EXPECT_EQ(asMethod.lVal, 2540);
    EXPECT_EQ(first->Invoke(DISPID_PICT_WIDTH, GUID_NULL, 0, DISPATCH_METHOD, &none, &asMethod, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);

    OLECHAR nameWidth[] = u"width";
    OLECHAR nameBogus[] = u"Depth";
    LPOLESTR names[] = {nameWidth, nameBogus};
    DISPID ids[2] = {};
    EXPECT_EQ(first->GetIDsOfNames(GUID_NULL, names, 1, 0, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_PICT_WIDTH);
    EXPECT_EQ(first->GetIDsOfNames(GUID_NULL, names + 1, 1, 0, ids), DISP_E_UNKNOWNNAME);
}

TEST(Picture, RendersTheSourceRectangleMeasuredFromTheBottom)
{
    CComPtr<IPicture> picture = LoadPicture(Encode(Quarters(), "PNG"));
    ASSERT_TRUE(picture);

    // The usual call: the whole picture, upright, at its own size.
    QImage whole = RenderInto(picture, QSize(96, 48), 0, 1270, 2540, -1270);
    EXPECT_EQ(whole.pixel(0, 0), kRed);
    EXPECT_EQ(whole.pixel(95, 0), kGreen);
    EXPECT_EQ(whole.pixel(0, 47), kBlue);
    EXPECT_EQ(whole.pixel(95, 47), kWhite);

    // A positive height runs from the bottom edge upwards: upside down.
    QImage flipped = RenderInto(picture, QSize(96, 48), 0, 0, 2540, 1270);
    EXPECT_EQ(flipped.pixel(0, 0), kBlue);
    EXPECT_EQ(flipped.pixel(95, 47), kGreen);

    // The lower right quarter, stretched over the whole target.
    QImage quarter = RenderInto(picture, QSize(20, 10), 1270, 635, 1270, -635);
    EXPECT_EQ(quarter.pixel(0, 0), kWhite);
    EXPECT_EQ(quarter.pixel(19, 9), kWhite);

    EXPECT_EQ(picture->Render(nullptr, 0, 0, 1, 1, 0, 1270, 2540, -1270), E_POINTER);
}
