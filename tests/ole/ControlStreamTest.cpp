// The persisted form of a control: every property kind both ways, the exact
// layout of the header and of an empty object, a newer version refused,
// damaged input refused without harm, and no object made of a class its
// property does not take.
#include "com/ComPtr.h"
#include "ole/ControlStream.h"
#include "ole/Font.h"
#include "ole/Picture.h"
#include "ole/StreamWriter.h"

#include "ControlModule.h"
#include "PictureBytes.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr PROPERTYDESC kEveryKind[] = {
    {u"Enabled", -514, PropertyKind::Bool},   {u"BackColor", -501, PropertyKind::Colour},
    {u"Count", 2, PropertyKind::Integer},     {u"Text", -517, PropertyKind::Text},
    {u"Font", -512, PropertyKind::Font},      {u"Picture", -523, PropertyKind::Picture},
    {u"Skin", 7, PropertyKind::Picture},
};

CComPtr<IFontDisp> MakeFont(LPCOLESTR name, std::int64_t size, SHORT weight, BOOL italic)
{
    FONTDESC desc;
    desc.lpstrName = name;
    desc.cySize.int64 = size;
    desc.sWeight = weight;
    desc.sCharset = 0;
    desc.fItalic = italic;
    CComPtr<IFontDisp> font;
    EXPECT_EQ(OleCreateFontIndirect(desc, IID_IFontDisp, reinterpret_cast<void**>(&font)), S_OK);
    return font;
}

CComPtr<IPictureDisp> MakePicture(int width, int height)
{
    const QByteArray bytes = EncodedImage(width, height);
    CComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnMemory(std::vector<BYTE>(bytes.begin(), bytes.end()), &stream), S_OK);
    CComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture)), S_OK);
    return picture;
}

CComVariant Colour(DWORD value)
{
    CComVariant variant;
    variant.vt = VT_UI4;
    variant.ulVal = value;
    return variant;
}

std::vector<CComVariant> EveryKindValues()
{
    return {CComVariant::Bool(true),
            Colour(0x0B94FB),
            CComVariant::I4(-5),
            CComVariant::Text(u"Pr\u00E9sident 2 \u20AC"),
            CComVariant::Object(MakeFont(u"Arial", 97500, 700, TRUE)),
            CComVariant::Object(MakePicture(6, 4)),
            CComVariant()};
}

std::vector<BYTE> Written(const SIZEL& extent, std::span<const PROPERTYDESC> map, const std::vector<CComVariant>& values)
{
    CComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnMemory({}, &stream), S_OK);
    EXPECT_EQ(CControlStream::Write(stream, extent, map, values), S_OK);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    std::vector<BYTE> bytes;
    EXPECT_EQ(ReadStreamToEnd(stream, bytes), S_OK);
    return bytes;
}

HRESULT ReadBack(const std::vector<BYTE>& bytes, std::span<const PROPERTYDESC> map, SIZEL& extent,
                 std::vector<CComVariant>& values)
{
    CComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnMemory(bytes, &stream), S_OK);
    return CControlStream::Read(stream, map, extent, values);
}

// `bytes` with the class identifier of its first object replaced.
std::vector<BYTE> Renamed(std::vector<BYTE> bytes, REFCLSID clsid)
{
    CComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnMemory({}, &stream), S_OK);
    CStreamWriter(stream).Guid(clsid);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    std::vector<BYTE> guid;
    EXPECT_EQ(ReadStreamToEnd(stream, guid), S_OK);
    std::copy(guid.begin(), guid.end(), bytes.begin() + 14);  // after the header and the type tag
    return bytes;
}

QImage ImageOf(IDispatch* picture)
{
    CComPtr<IPicture> face;
    EXPECT_EQ(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&face)), S_OK);
    QImage image;
    face->GetImage(&image);
    return image;
}

TEST(ControlStream, RoundTripsEveryPropertyKind)
{
    const std::vector<BYTE> bytes = Written({8996, -688}, kEveryKind, EveryKindValues());

    SIZEL extent;
    std::vector<CComVariant> values;
    ASSERT_EQ(ReadBack(bytes, kEveryKind, extent, values), S_OK);
    EXPECT_EQ(extent.cx, 8996);
    EXPECT_EQ(extent.cy, -688);
    ASSERT_EQ(values.size(), std::size(kEveryKind));
    EXPECT_EQ(values[0].vt, VT_BOOL);
    EXPECT_EQ(values[0].boolVal, VARIANT_TRUE);
    EXPECT_EQ(values[1].vt, VT_UI4);
    EXPECT_EQ(values[1].ulVal, 0x0B94FBu);
    EXPECT_EQ(values[2].vt, VT_I4);
    EXPECT_EQ(values[2].lVal, -5);
    ASSERT_EQ(values[3].vt, VT_BSTR);
    EXPECT_EQ(std::u16string(values[3].bstrVal), u"Pr\u00E9sident 2 \u20AC");

    ASSERT_EQ(values[4].vt, VT_DISPATCH);
    CComPtr<IFont> font, expected;
    ASSERT_EQ(values[4].pdispVal->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)), S_OK);
    MakeFont(u"Arial", 97500, 700, TRUE).QueryInterface(IID_IFont, &expected);
    EXPECT_EQ(font->IsEqual(expected), S_OK);

    ASSERT_EQ(values[5].vt, VT_DISPATCH);
    EXPECT_EQ(ImageOf(values[5].pdispVal).size(), QSize(6, 4));
    EXPECT_EQ(values[6].vt, VT_DISPATCH);
    EXPECT_EQ(values[6].pdispVal, nullptr);

    // What was read writes back to the same bytes.
    EXPECT_EQ(Written(extent, kEveryKind, values), bytes);
}

TEST(ControlStream, LaysOutHeaderValuesAndEmptyObjectsLittleEndian)
{
    constexpr PROPERTYDESC kMap[] = {{u"Enabled", -514, PropertyKind::Bool},
                                     {u"ForeColor", -513, PropertyKind::Colour},
                                     {u"Text", -517, PropertyKind::Text},
                                     {u"Picture", -523, PropertyKind::Picture}};
    const std::vector<BYTE> bytes =
        Written({1720, 953}, kMap, {CComVariant::Bool(false), Colour(0x00D7FF), CComVariant::Text(u"A"), CComVariant()});
    const std::vector<BYTE> expected = {
        0x00, 0x07, 0x00, 0x00,  // version 0x0700
        0xB8, 0x06, 0x00, 0x00,  // 1720
        0xB9, 0x03, 0x00, 0x00,  // 953
        0x0B, 0x00, 0x00, 0x00,  // VT_BOOL, false
        0x13, 0x00, 0xFF, 0xD7, 0x00, 0x00,  // VT_UI4, the colour
        0x08, 0x00, 0x02, 0x00, 0x00, 0x00, 0x41, 0x00,  // VT_BSTR, 2 bytes, "A"
        0x09, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // VT_DISPATCH, no object
    EXPECT_EQ(bytes, expected);

    // A map without properties is the header alone.
    EXPECT_EQ(Written({0, 0}, {}, {}).size(), 12u);
}

TEST(ControlStream, RefusesANewerVersionAndReadsAnOlderOne)
{
    std::vector<BYTE> bytes = Written({1, 2}, kEveryKind, EveryKindValues());
    SIZEL extent{7, 7};
    std::vector<CComVariant> values;

    bytes[0] = 0x01;  // 0x0701
    EXPECT_TRUE(FAILED(ReadBack(bytes, kEveryKind, extent, values)));
    EXPECT_EQ(extent.cx, 7);
    EXPECT_TRUE(values.empty());

    bytes[0] = 0x00;
    bytes[1] = 0x06;  // 0x0600
    EXPECT_EQ(ReadBack(bytes, kEveryKind, extent, values), S_OK);
    EXPECT_EQ(extent.cx, 1);
}

TEST(ControlStream, RefusesEveryTruncationAndDamageWithoutTouchingTheResult)
{
    const std::vector<BYTE> bytes = Written({1, 2}, kEveryKind, EveryKindValues());
    for (size_t length = 0; length < bytes.size(); ++length) {
        SIZEL extent{7, 7};
        std::vector<CComVariant> values;
        const std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_TRUE(FAILED(ReadBack(cut, kEveryKind, extent, values))) << "length " << length;
        EXPECT_EQ(extent.cx, 7);
        EXPECT_TRUE(values.empty());
    }

    SIZEL extent;
    std::vector<CComVariant> values;
    std::vector<BYTE> damaged = bytes;
    damaged[12] = VT_I4;  // the boolean's tag
    EXPECT_TRUE(FAILED(ReadBack(damaged, kEveryKind, extent, values)));

    // A text claiming four gigabytes is refused before anything is allocated.
    constexpr PROPERTYDESC kText[] = {{u"Text", -517, PropertyKind::Text}};
    damaged = Written({0, 0}, kText, {CComVariant::Text(u"abc")});
    damaged[14] = damaged[15] = damaged[16] = damaged[17] = 0xFF;
    EXPECT_EQ(ReadBack(damaged, kText, extent, values), STG_E_READFAULT);
    damaged[14] = 3;  // an odd byte count cannot be UTF-16
    damaged[15] = damaged[16] = damaged[17] = 0;
    EXPECT_TRUE(FAILED(ReadBack(damaged, kText, extent, values)));
}

TEST(ControlStream, RefusesAnObjectOfAnotherClassThanItsPropertyTakesWithoutMakingIt)
{
    TestEnvironment env;
    RegisterControlModule(env);
    CoFreeUnusedLibraries();  // an earlier test of this run may have left the module loaded

    constexpr PROPERTYDESC kFont[] = {{u"Font", -512, PropertyKind::Font}};
    constexpr PROPERTYDESC kPicture[] = {{u"Picture", -523, PropertyKind::Picture}};
    const CComVariant font = CComVariant::Object(MakeFont(u"Arial", 97500, 400, FALSE));
    const CComVariant picture = CComVariant::Object(MakePicture(2, 2));
    const struct {
        const char* what;
        std::span<const PROPERTYDESC> map;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"a picture as the font", kFont, Written({0, 0}, kFont, {picture})},
        {"a font as the picture", kPicture, Written({0, 0}, kPicture, {font})},
        {"a control as the font", kFont, Renamed(Written({0, 0}, kFont, {font}), CLSID_SampleCtrl)},
    };
    for (const auto& c : cases) {
        SIZEL extent{7, 7};
        std::vector<CComVariant> values;
        EXPECT_EQ(ReadBack(c.bytes, c.map, extent, values), DISP_E_TYPEMISMATCH) << c.what;
        EXPECT_EQ(extent.cx, 7);
        EXPECT_TRUE(values.empty());
    }
    EXPECT_EQ(ControlModuleCanUnloadNow(), -1) << "the control's module was never even loaded";
}

}  // namespace
