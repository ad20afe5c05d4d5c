// Font objects: clones that are equal but separate, equality over every
// attribute, the persisted form, sizes held within bounds, the dispatch face
// and the font to paint with.
#include "com/ComPtr.h"
#include "ole/Font.h"
#include "ole/Persist.h"

#include <gtest/gtest.h>

#include <QFont>

namespace {

CComPtr<IFont> MakeFont()
{
    FONTDESC desc;
    desc.lpstrName = u"Arial";
    desc.cySize.int64 = 157500;  // 15.75 pt
    desc.sWeight = 400;
    desc.sCharset = 0;
    desc.fUnderline = TRUE;
    CComPtr<IFont> font;
    EXPECT_EQ(OleCreateFontIndirect(desc, IID_IFont, reinterpret_cast<void**>(&font)), S_OK);
    return font;
}

TEST(FontObject, ClonesAreEqualButSeparateAndEveryAttributeCounts)
{
    CComPtr<IFont> font = MakeFont();
    CComPtr<IFont> clone;
    ASSERT_EQ(font->Clone(&clone), S_OK);
    EXPECT_NE(clone.get(), font.get());
    EXPECT_EQ(font->IsEqual(clone), S_OK);

    clone->put_Name(CComBSTR(u"ARIAL"));
    EXPECT_EQ(font->IsEqual(clone), S_OK) << "names compare without regard to case";

    const std::vector<std::function<void(IFont*)>> changes = {
        [](IFont* f) { f->put_Name(CComBSTR(u"Liberation Sans")); },
        [](IFont* f) { f->put_Size(CY{97500}); },
        [](IFont* f) { f->put_Weight(700); },
        [](IFont* f) { f->put_Charset(1); },
        [](IFont* f) { f->put_Italic(TRUE); },
        [](IFont* f) { f->put_Underline(FALSE); },
        [](IFont* f) { f->put_Strikethrough(TRUE); },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        CComPtr<IFont> changed;
        ASSERT_EQ(font->Clone(&changed), S_OK);
        changes[i](changed);
        EXPECT_EQ(font->IsEqual(changed), S_FALSE) << "change " << i;
    }
    // The clone changed; the original did not.
    CY size;
    font->get_Size(&size);
    EXPECT_EQ(size.int64, 157500);
}

TEST(FontObject, SavesAndLoadsThroughItsClassIdentifier)
{
    CComPtr<IFont> font = MakeFont();
    font->put_Italic(TRUE);
    font->put_Name(CComBSTR(u"Caf\u00E9 Sans"));
    CComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnMemory({}, &stream), S_OK);
    ASSERT_EQ(OleSaveObject(font, stream), S_OK);
    stream->Write("tail", 4, nullptr);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);

    CLSID clsid{};
    ULONG read = 0;
    stream->Read(&clsid, sizeof clsid, &read);
    EXPECT_EQ(clsid, CLSID_StdFont);
    CComPtr<IFont> loaded;
    ASSERT_EQ(OleLoadObject(clsid, stream, IID_IFont, reinterpret_cast<void**>(&loaded)), S_OK);
    EXPECT_EQ(font->IsEqual(loaded), S_OK);
    char tail[4] = {};
    stream->Read(tail, 4, &read);
    EXPECT_EQ(std::string(tail, 4), "tail") << "loading stops at the end of the font's data";

    // Short data fails and leaves the font as it was.
    std::vector<BYTE> saved;
    stream->Seek(16, STREAM_SEEK_SET, nullptr);
    ReadStreamToEnd(stream, saved);
    saved.resize(saved.size() - 7);
    CComPtr<IStream> cut;
    CreateStreamOnMemory(saved, &cut);
    CComPtr<IPersistStream> persist;
    ASSERT_EQ(loaded.QueryInterface(IID_IPersistStream, &persist), S_OK);
    EXPECT_TRUE(FAILED(persist->Load(cut)));
    EXPECT_EQ(font->IsEqual(loaded), S_OK);
}

// Loads into `font` its own saved form with the size field reading `size`.
HRESULT LoadWithSize(IFont* font, DWORD size)
{
    CComPtr<IPersistStream> persist;
    EXPECT_EQ(font->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist)), S_OK);
    CComPtr<IStream> stream;
    CreateStreamOnMemory({}, &stream);
    persist->Save(stream, FALSE);
    stream->Seek(6, STREAM_SEEK_SET, nullptr);  // after version, charset, flags and weight
    stream->Write(&size, sizeof size, nullptr);  // little-endian, as the stream is
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    return persist->Load(stream);
}

TEST(FontObject, HoldsNoSizeAboveTheLargestWhicheverWayItArrives)
{
    const struct {
        const char* what;
        std::function<HRESULT(IFont*)> change;
        HRESULT result;
        std::int64_t size;
    } cases[] = {
        {"loaded, every bit set", [](IFont* f) { return LoadWithSize(f, 0xFFFFFFFF); }, S_OK, FONTSIZE_MAX},
        {"loaded, just above", [](IFont* f) { return LoadWithSize(f, FONTSIZE_MAX + 1); }, S_OK, FONTSIZE_MAX},
        {"loaded, ordinary", [](IFont* f) { return LoadWithSize(f, 97500); }, S_OK, 97500},
        {"put, huge", [](IFont* f) { return f->put_Size(CY{INT64_MAX}); }, S_OK, FONTSIZE_MAX},
        {"put, negative", [](IFont* f) { return f->put_Size(CY{-1}); }, E_INVALIDARG, 157500},
    };
    for (const auto& c : cases) {
        CComPtr<IFont> font = MakeFont();
        EXPECT_EQ(c.change(font), c.result) << c.what;
        CY size;
        font->get_Size(&size);
        EXPECT_EQ(size.int64, c.size) << c.what;
    }
}

TEST(FontObject, AnswersThroughDispatchAndGivesAFontToPaintWith)
{
    CComPtr<IFont> font = MakeFont();
    CComPtr<IFontDisp> disp;
    ASSERT_EQ(font.QueryInterface(IID_IFontDisp, &disp), S_OK);

    LPOLESTR name = const_cast<LPOLESTR>(u"bold");
    DISPID id = 0;
    ASSERT_EQ(disp->GetIDsOfNames(GUID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(id, DISPID_FONT_BOLD);
    CComVariant value = CComVariant::Bool(true);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&value, &named, 1, 1};
    ASSERT_EQ(disp->Invoke(DISPID_FONT_BOLD, GUID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr), S_OK);
    SHORT weight = 0;
    font->get_Weight(&weight);
    EXPECT_EQ(weight, 700);

    DISPPARAMS none;
    CComVariant size;
    ASSERT_EQ(disp->Invoke(DISPID_FONT_SIZE, GUID_NULL, 0, DISPATCH_PROPERTYGET, &none, &size, nullptr, nullptr), S_OK);
    EXPECT_EQ(size.vt, VT_I4);
    EXPECT_EQ(size.lVal, 157500);
    // A script host that cannot tell a get from a method sends both flags.
    CComVariant sizeAsMethod;
    ASSERT_EQ(disp->Invoke(DISPID_FONT_SIZE, GUID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &sizeAsMethod,
                           nullptr, nullptr),
              S_OK);
    EXPECT_EQ(sizeAsMethod.lVal, 157500);

    QFont painted;
    ASSERT_EQ(font->GetQFont(&painted), S_OK);
    EXPECT_EQ(painted.family(), "Arial");
    EXPECT_DOUBLE_EQ(painted.pointSizeF(), 15.75);
    EXPECT_EQ(painted.weight(), QFont::Bold);
    EXPECT_TRUE(painted.underline());
    EXPECT_FALSE(painted.italic());
}

}  // namespace
