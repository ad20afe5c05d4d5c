// The four quiz books as the game and script hosts see them: created through
// the registry, called through their own slots and through IDispatch.
#include "WordcrateFixture.h"

#include "FixedClock.h"
#include "com/Registry.h"
#include "ole/Stream.h"
#include "ui/Resources.h"
#include "xml/XmlDocument.h"

#include <dlfcn.h>

namespace {

const std::filesystem::path kPictures = BRAINWHEEL_COURSE_DIR "/pictures";

// The bytes a picture was loaded from; empty for none.
std::string PictureBytes(IPictureDisp* picture)
{
    CComPtr<IPicture> saved;
    CComPtr<IStream> stream;
    if (!picture || FAILED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&saved))) ||
        FAILED(CreateStreamOnMemory({}, &stream)) || FAILED(saved->SaveAsFile(stream, TRUE, nullptr)))
        return {};
    std::vector<BYTE> bytes;
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    ReadStreamToEnd(stream, bytes);
    return std::string(bytes.begin(), bytes.end());
}

// GetPicture with a text identifier; the picture's bytes, or empty.
std::string PictureFor(IQuizBook* book, const char16_t* id)
{
    CComBSTR text(id);
    CComPtr<IPictureDisp> picture;
    EXPECT_EQ(book->GetPicture(text, &picture), S_OK);
    return PictureBytes(picture);
}

// The module's own DllCanUnloadNow, called without loading it again; -1 when
// it is not loaded.
HRESULT LibraryCanUnloadNow(const std::filesystem::path& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return -1;
    const auto canUnload = reinterpret_cast<PFN_DllCanUnloadNow>(dlsym(handle, "DllCanUnloadNow"));
    const HRESULT hr = canUnload ? canUnload() : -1;
    dlclose(handle);
    return hr;
}

// Invoke into a result emptied first, as a caller must hand it in.
HRESULT Call(IDispatch* object, DISPID member, WORD flags, DISPPARAMS* params, CComVariant& result,
             UINT* argErr = nullptr)
{
    VariantClear(&result);
    return object->Invoke(member, GUID_NULL, 0, flags, params, &result, nullptr, argErr);
}

bool IsQuizDocument(const std::u16string& text)
{
    const XmlDocumentPtr document = CXmlDocument::Create();
    return document->loadXML(text) && document->firstChild().nodeName() == u"Quizzes";
}

class QuizBookTest : public WordcrateFixture {};

} // namespace

TEST_F(QuizBookTest, FourBooksByEitherNameWithTheirTitles)
{
    const std::pair<const char16_t*, const char16_t*> books[] = {
        {u"Tavorin.CoFrench1", u"Beginner Stage 1"}, {u"Tavorin.CoFrench2.1", u"Beginner Stage 2"},
        {u"Tavorin.CoFrench3", u"Beginner Stage 3"}, {u"Tavorin.CoFrench4.1", u"Revision 1"}};
    for (const auto& [progId, title] : books) {
        CComPtr<IQuizBook> book = Create(progId);
        ASSERT_TRUE(book);
        CComBSTR text;
        EXPECT_EQ(book->get_QuizTitle(&text), S_OK);
        EXPECT_EQ(text.str(), title);
        CComPtr<IDispatch> dispatch;
        EXPECT_EQ(book.QueryInterface(IID_IDispatch, &dispatch), S_OK);
        CComPtr<IUnknown> other;
        EXPECT_EQ(book.QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
        EXPECT_EQ(book->get_QuizTitle(nullptr), E_POINTER);
        EXPECT_EQ(book->GetQuestionXml(0, nullptr), E_POINTER);
    }
    EXPECT_EQ(LoadStringA(GetModuleHandleA("Wordcrate.so"), 100), "Wordcrate");
}

TEST_F(QuizBookTest, AnyQuestionIdGivesTheSameTrimmedDocumentWithinOneSecond)
{
    FixedClock clock(1700000000);
    CComPtr<IQuizBook> book = Create(u"Tavorin.CoFrench1");
    const std::u16string first = Document(book, 0);
    EXPECT_TRUE(IsQuizDocument(first));
    EXPECT_EQ(Document(book, 7), first);
    EXPECT_EQ(Document(book, -1), first);
    // A second book of the same class in the same second serves it too.
    EXPECT_EQ(Document(Create(u"Tavorin.CoFrench1"), 0), first);
}

TEST_F(QuizBookTest, PicturesByTheNumberAtTheStartOfTheText)
{
    CComPtr<IQuizBook> book = Create(u"Tavorin.CoFrench4");
    const std::string expected = ReadWholeFile(kPictures / "309.jpg");
    ASSERT_FALSE(expected.empty());
    for (const char16_t* id : {u"309", u"  309abc", u"\t+309", u"65845", u"-65227", u"0000309.5"})
        EXPECT_EQ(PictureFor(book, id), expected) << std::string(id, id + std::char_traits<char16_t>::length(id));
    EXPECT_EQ(PictureFor(book, u"250"), ReadWholeFile(kPictures / "250.jpg"));
    EXPECT_EQ(PictureFor(book, u"348"), ReadWholeFile(kPictures / "348.jpg"));

    // No picture leaves the caller's pointer as it was.
    int marker = 0;
    IPictureDisp* const untouched = reinterpret_cast<IPictureDisp*>(&marker);
    for (const char16_t* id : {u"abc", u"0", u"", u"-", u"249", u"349", u"x309", u"99999999999999999999"}) {
        IPictureDisp* picture = untouched;
        EXPECT_EQ(book->GetPicture(CComBSTR(id), &picture), S_OK);
        EXPECT_EQ(picture, untouched);
    }
    IPictureDisp* picture = untouched;
    EXPECT_EQ(book->GetPicture(nullptr, &picture), S_OK);
    EXPECT_EQ(picture, untouched);
    EXPECT_EQ(book->GetPicture(CComBSTR(u"309"), nullptr), E_POINTER);
}

TEST_F(QuizBookTest, UnderAnotherFileNameTheLibraryFindsNoneOfItsResources)
{
    ASSERT_EQ(GetModuleHandleA("Wordcrate.so"), nullptr) << "an earlier test left the library loaded";
    const std::filesystem::path copy = env.Dir() / "Other.so";
    std::filesystem::copy_file(LibraryPath(), copy);
    Register(copy);
    CRegistryData registry;
    ASSERT_EQ(CRegistry::Read(registry), S_OK);
    std::string path;
    EXPECT_TRUE(registry.GetValue("HKEY_CLASSES_ROOT\\CLSID\\{F4CCD3D8-FB81-41F7-99E6-6DB280C291F2}\\InprocServer32",
                                  "", path));
    EXPECT_EQ(path, copy.string());

    CComPtr<IQuizBook> book = Create(u"Tavorin.CoFrench4");
    ASSERT_TRUE(book);
    CComBSTR title;
    EXPECT_EQ(book->get_QuizTitle(&title), S_OK);
    EXPECT_EQ(title.str(), u"Revision 1");
    EXPECT_EQ(Document(book, 0), u"");
    EXPECT_EQ(PictureFor(book, u"309"), "");
}

TEST_F(QuizBookTest, TheLibraryStaysWhileAnObjectOrALockLives)
{
    CComPtr<IQuizBook> book = Create(u"Tavorin.CoFrench2");
    EXPECT_EQ(LibraryCanUnloadNow(LibraryPath()), S_FALSE);
    book.Release();
    EXPECT_EQ(LibraryCanUnloadNow(LibraryPath()), S_OK);

    CComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_CoFrench2, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Release();
    EXPECT_EQ(LibraryCanUnloadNow(LibraryPath()), S_FALSE);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LibraryCanUnloadNow(LibraryPath()), S_FALSE);
    ASSERT_EQ(CoGetClassObject(CLSID_CoFrench2, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Release();
    EXPECT_EQ(LibraryCanUnloadNow(LibraryPath()), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LibraryCanUnloadNow(LibraryPath()), -1);
}

TEST_F(QuizBookTest, DispatchByNameAndId)
{
    FixedClock clock(1700000000);
    CComPtr<IQuizBook> book = Create(u"Tavorin.CoFrench4");
    OLECHAR xmlName[] = u"getquestionxml", pictureName[] = u"GetPicture", titleName[] = u"QUIZTITLE";
    OLECHAR unknownName[] = u"Title";
    LPOLESTR names[] = {xmlName, pictureName, titleName, unknownName};
    DISPID ids[4] = {};
    EXPECT_EQ(book->GetIDsOfNames(GUID_NULL, names, 3, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(ids[2], 3);
    EXPECT_EQ(book->GetIDsOfNames(GUID_NULL, names + 3, 1, 0, ids), DISP_E_UNKNOWNNAME);

    CComPtr<ITypeInfo> info;
    ASSERT_EQ(book->GetTypeInfo(0, 0, &info), S_OK);
    for (const auto& [id, help] : {std::pair{1, u"method GetQuestionXml"}, std::pair{2, u"method GetPicture"},
                                   std::pair{3, u"property QuizTitle"}}) {
        CComBSTR text;
        EXPECT_EQ(info->GetDocumentation(id, nullptr, &text), S_OK);
        EXPECT_EQ(text.str(), help);
    }

    CComVariant result;
    DISPPARAMS none;
    EXPECT_EQ(Call(book, 3, DISPATCH_PROPERTYGET, &none, result), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(std::u16string(result.bstrVal), u"Revision 1");
    // A script host may ask for the title as a method, with or without the get.
    for (const WORD flags : {WORD(DISPATCH_METHOD), WORD(DISPATCH_METHOD | DISPATCH_PROPERTYGET)}) {
        result = CComVariant();
        EXPECT_EQ(Call(book, 3, flags, &none, result), S_OK) << flags;
        ASSERT_EQ(result.vt, VT_BSTR) << flags;
        EXPECT_EQ(std::u16string(result.bstrVal), u"Revision 1");
    }

    CComVariant seven = CComVariant::I2(7);
    DISPPARAMS oneArgument{&seven, nullptr, 1, 0};
    EXPECT_EQ(Call(book, 1, DISPATCH_METHOD, &oneArgument, result), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(std::u16string(result.bstrVal, SysStringLen(result.bstrVal)), Document(book, 0));

    CComVariant number = CComVariant::Text(u"309");
    DISPPARAMS pictureArgument{&number, nullptr, 1, 0};
    EXPECT_EQ(Call(book, 2, DISPATCH_METHOD, &pictureArgument, result), S_OK);
    ASSERT_EQ(result.vt, VT_DISPATCH);
    EXPECT_EQ(PictureBytes(static_cast<IPictureDisp*>(result.pdispVal)), ReadWholeFile(kPictures / "309.jpg"));
    number = CComVariant::Text(u"none");
    EXPECT_EQ(Call(book, 2, DISPATCH_METHOD, &pictureArgument, result), S_OK);
    EXPECT_EQ(result.vt, VT_DISPATCH);
    EXPECT_EQ(result.pdispVal, nullptr);

    // What a script host can get wrong.
    UINT argErr = 99;
    CComVariant object = CComVariant::Object(book);
    DISPPARAMS wrongType{&object, nullptr, 1, 0};
    EXPECT_EQ(Call(book, 1, DISPATCH_METHOD, &wrongType, result, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);
    EXPECT_EQ(Call(book, 1, DISPATCH_METHOD, &none, result), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(book, 2, DISPATCH_METHOD, nullptr, result), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(book, 3, DISPATCH_PROPERTYGET, &oneArgument, result),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(book->Invoke(3, GUID_NULL, 0, DISPATCH_PROPERTYPUT, &oneArgument, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(book, 4, DISPATCH_METHOD, &none, result), DISP_E_MEMBERNOTFOUND);
    // Without a place for the result the call still happens.
    EXPECT_EQ(book->Invoke(3, GUID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr),
              S_OK);
}
