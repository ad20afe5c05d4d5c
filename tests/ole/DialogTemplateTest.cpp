// Dialog templates: the text form, dialog units to pixels, and the block of
// initial data that goes with a template.
#include "com/ComPtr.h"
#include "ole/ControlStream.h"
#include "ole/DialogInitData.h"
#include "ole/DialogTemplate.h"
#include "ole/Font.h"

#include "TestEnvironment.h"
#include "module/OleTestControls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::filesystem::path TestSourceBlock() { return TestEnvironment::DataDir() / ".." / "ole" / "module" / "composite.240"; }

TEST(DialogTemplate, ReadsTheLayoutOfItsControls)
{
    const char* text =
        "# a comment\n"
        "dialog 348 307\r\n"
        "\n"
        "FONT 8 \"MS Sans Serif\"\n"
        "CAPTION \"About The Brainwheel\"\n"
        "CONTROL {3F6C2E10-5A7B-4C3D-8E91-1A2B3C4D5E60} 214 19 11 227 16 VISIBLE TABSTOP\n"
        "CONTROL SysAnimate32 201 10 169 328 4\n"
        "CONTROL BITMAP 1001 275 0 71 29 notify TEXT 130 VISIBLE\n";
    CDialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(CDialogTemplate::Parse(text, dialog, error)) << error;
    EXPECT_EQ(dialog.Width(), 348);
    EXPECT_EQ(dialog.Height(), 307);
    EXPECT_EQ(dialog.FontPoints(), 8);
    EXPECT_EQ(dialog.FontName(), "MS Sans Serif");
    EXPECT_EQ(dialog.Caption(), "About The Brainwheel");
    ASSERT_EQ(dialog.Items().size(), 3u);
    const DialogItem& hosted = dialog.Items()[0];
    EXPECT_TRUE(hosted.className.empty());
    EXPECT_EQ(hosted.clsid, CLSID_SampleCtrl);
    EXPECT_EQ(hosted.id, 214);
    EXPECT_EQ(hosted.cx, 227);
    EXPECT_TRUE(hosted.visible);
    const DialogItem& native = dialog.Items()[1];
    EXPECT_EQ(native.className, "SysAnimate32");
    EXPECT_EQ(native.y, 169);
    EXPECT_FALSE(native.visible) << "hidden unless it says VISIBLE";
    EXPECT_FALSE(native.notify);
    const DialogItem& picture = dialog.Items()[2];
    EXPECT_TRUE(picture.notify && picture.visible);
    EXPECT_EQ(picture.text, "130");

    // A place may lie left of or above the dialog; only sizes are unsigned.
    ASSERT_TRUE(CDialogTemplate::Parse("DIALOG 10 10\nCONTROL Foo 1 -5 -7 5 5\n", dialog, error)) << error;
    EXPECT_EQ(dialog.Items().at(0).x, -5);
    EXPECT_EQ(dialog.Items().at(0).y, -7);
}

TEST(DialogTemplate, NamesTheLineOfAFault)
{
    const std::pair<const char*, const char*> faults[] = {
        {"DIALOG 10 10\nCONTROL Foo 1 0 0 5 5 VISBLE\n", "line 2: unknown style VISBLE"},
        {"DIALOG 10\n", "line 1: expected DIALOG <width> <height>"},
        {"DIALOG 10 10\nCONTROL {not-a-guid} 1 0 0 5 5\n", "line 2: bad class identifier {not-a-guid}"},
        {"DIALOG 10 10\nCONTROL Foo 70000 0 0 5 5\n", "line 2: bad control id 70000"},
        {"DIALOG 10 10\nCONTROL Foo 1 0 0 -5 5\n", "line 2: bad position or size"},
        {"DIALOG 10 10\nFONT 8 \"Arial\nCONTROL Foo 1 0 0 5 5\n", "line 2: unterminated quote"},
        {"DIALOG 10 10\nDIALOG 10 10\n", "line 2: a second DIALOG"},
        {"CONTROL Foo 1 0 0 5 5\n", "no DIALOG statement"},
        {"DIALOG 10 10\nBUTTON 1\n", "line 2: unknown statement BUTTON"},
        {"DIALOG 10 10\nCONTROL STATIC 1 0 0 5 5 TEXT\n", "line 2: unknown style TEXT"},
        {"DIALOG 10 10\nCONTROL \"\" 1 0 0 5 5\n", "line 2: expected CONTROL <class> <id> <x> <y> <width> <height>"},
    };
    for (const auto& [text, message] : faults) {
        CDialogTemplate dialog;
        std::string error;
        EXPECT_FALSE(CDialogTemplate::Parse(text, dialog, error)) << text;
        EXPECT_EQ(error, message);
    }
}

TEST(DialogTemplate, ConvertsBothEdgesWithTheFixedBaseUnits)
{
    // The console's own children land on the pixels its skin is drawn for.
    const struct {
        int x, y, cx, cy;
        DialogPixels pixels;
    } cases[] = {
        {19, 11, 227, 16, {29, 18, 340, 26}},   // the category title
        {248, 6, 92, 158, {372, 10, 138, 257}}, // the ladder
        {10, 176, 83, 24, {15, 286, 125, 39}},  // the lives row
        {0, 0, 348, 307, {0, 0, 522, 499}},     // the whole console
    };
    for (const auto& c : cases) {
        const DialogPixels pixels = CDialogTemplate::ToPixels(c.x, c.y, c.cx, c.cy);
        EXPECT_EQ(pixels.x, c.pixels.x);
        EXPECT_EQ(pixels.y, c.pixels.y);
        EXPECT_EQ(pixels.cx, c.pixels.cx) << c.x << "," << c.cx;
        EXPECT_EQ(pixels.cy, c.pixels.cy) << c.y << "," << c.cy;
    }
    // Wherever they stand, a control ends on the pixel where its neighbour
    // begins, across and down, left of and above the dialog too.
    for (int at = -9; at <= 9; ++at)
        for (int size = 0; size <= 9; ++size) {
            const DialogPixels first = CDialogTemplate::ToPixels(at, at, size, size);
            const DialogPixels next = CDialogTemplate::ToPixels(at + size, at + size, 1, 1);
            EXPECT_EQ(first.x + first.cx, next.x) << at << "+" << size;
            EXPECT_EQ(first.y + first.cy, next.y) << at << "+" << size;
        }
}

TEST(DialogInitData, FindsEachControlsStreamAndRefusesDamage)
{
    CDialogInitData built;
    built.Add(301, {1, 2, 3});
    built.Add(7, {});
    const std::vector<BYTE> block = built.Bytes();

    CDialogInitData parsed;
    ASSERT_TRUE(CDialogInitData::Parse(block.data(), block.size(), parsed));
    ASSERT_TRUE(parsed.ForControl(301));
    EXPECT_EQ(*parsed.ForControl(301), (std::vector<BYTE>{1, 2, 3}));
    ASSERT_TRUE(parsed.ForControl(7));
    EXPECT_TRUE(parsed.ForControl(7)->empty());
    EXPECT_FALSE(parsed.ForControl(302));

    // Without its closing zero the block reads the same.
    EXPECT_TRUE(CDialogInitData::Parse(block.data(), block.size() - 2, parsed));
    // Entries of other messages are passed over.
    const BYTE other[] = {5, 0, 0x77, 0x03, 2, 0, 0, 0, 9, 9};
    ASSERT_TRUE(CDialogInitData::Parse(other, sizeof other, parsed));
    EXPECT_FALSE(parsed.ForControl(5));

    // Cut anywhere but between entries, the block is refused.
    for (size_t length = 1; length < block.size() - 2; ++length) {
        if (length != 12) {
            EXPECT_FALSE(CDialogInitData::Parse(block.data(), length, parsed)) << length;
        }
    }
    std::vector<BYTE> prefixed = block;
    prefixed[8] = 1;  // the data must start with a 32-bit 0
    EXPECT_FALSE(CDialogInitData::Parse(prefixed.data(), prefixed.size(), parsed));
}

TEST(DialogInitData, TheTestTemplatesBlockIsWhatTheWritersMake)
{
    // tests/ole/module/composite.240 was written by hand; the framework's
    // own writers must agree with it byte for byte.
    std::ifstream in(TestSourceBlock(), std::ios::binary);
    const std::vector<BYTE> committed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    constexpr PROPERTYDESC kMap[] = {
        {u"Enabled", DISPID_SAMPLE_ENABLED, PropertyKind::Bool},
        {u"BackColor", DISPID_SAMPLE_BACKCOLOR, PropertyKind::Colour},
        {u"Count", DISPID_SAMPLE_COUNT, PropertyKind::Integer},
        {u"Caption", DISPID_SAMPLE_CAPTION, PropertyKind::Text},
        {u"Font", DISPID_SAMPLE_FONT, PropertyKind::Font},
        {u"Picture", DISPID_SAMPLE_PICTURE, PropertyKind::Picture},
    };
    FONTDESC desc;
    desc.cySize.int64 = 157500;
    desc.sCharset = 0;
    CComPtr<IFontDisp> font;
    ASSERT_EQ(OleCreateFontIndirect(desc, IID_IFontDisp, reinterpret_cast<void**>(&font)), S_OK);
    CComVariant colour;
    colour.vt = VT_UI4;
    colour.ulVal = 0x00D7FF;
    const std::vector<CComVariant> values = {CComVariant::Bool(true), colour, CComVariant::I4(7),
                                             CComVariant::Text(u"Round 1"), CComVariant::Object(font), CComVariant()};
    CComPtr<IStream> stream;
    CreateStreamOnMemory({}, &stream);
    ASSERT_EQ(CControlStream::Write(stream, {8996, 688}, kMap, values), S_OK);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    std::vector<BYTE> bytes;
    ReadStreamToEnd(stream, bytes);
    CDialogInitData block;
    block.Add(301, bytes);
    EXPECT_EQ(block.Bytes(), committed);
}

}  // namespace
