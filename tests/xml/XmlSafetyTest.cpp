// What a hostile or broken quiz document must not do: load half-way, fetch
// anything, declare entities to expand, or print on the player's terminal.
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace {

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// A scratch folder holding a file that no parse may ever read.
class XmlSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/brainwheel-xml-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        std::ofstream(m_dir / "secret.txt") << "SECRET";
        std::ofstream(m_dir / "secret.dtd") << "<!ENTITY e 'SECRET'>";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Url(const char* name) const { return "file://" + (m_dir / name).string(); }

    std::filesystem::path m_dir;
};

std::u16string Laughs(int levels)
{
    std::string text = "<!DOCTYPE lolz [<!ENTITY lol0 'lol'>";
    for (int i = 1; i <= levels; ++i) {
        text += "<!ENTITY lol" + std::to_string(i) + " '";
        for (int j = 0; j < 10; ++j) text += "&lol" + std::to_string(i - 1) + ";";
        text += "'>";
    }
    return Widen(text + "]><lolz>&lol" + std::to_string(levels) + ";</lolz>");
}

// The most memory this process has held at once. CTest runs each test in a
// process of its own, so a test's growth of it is the test's own.
long PeakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

TEST_F(XmlSafety, MalformedTextLeavesAnEmptyDocumentAndPrintsNothing)
{
    XmlDocumentPtr document = CXmlDocument::Create();
    ::testing::internal::CaptureStderr();
    const std::u16string_view malformed[] = {
        u"", u"   ", u"<?xml version='1.0'?>", u"<a>", u"<a></b>", u"<a/><b/>", u"<a/>trailing",
        u"<a x='1' x='2'/>", u"<a>&undeclared;</a>", std::u16string_view(u"<a>\0</a>", 8), u"<a><!-- -- --></a>"};
    for (std::u16string_view text : malformed) {
        ASSERT_TRUE(document->loadXML(u"<Quizzes/>"));
        EXPECT_FALSE(document->loadXML(text)) << std::string(text.begin(), text.end());
        EXPECT_TRUE(document->childNodes().empty());
    }
    // Error reporting is set up per thread; a worker must stay quiet too.
    std::thread([&] { EXPECT_FALSE(document->loadXML(u"<a>")); }).join();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(XmlSafety, ExternalEntitiesAndDocumentTypesAreNeverFetched)
{
    XmlDocumentPtr document = CXmlDocument::Create();
    const std::u16string entity =
        Widen("<!DOCTYPE x [<!ENTITY e SYSTEM '" + Url("secret.txt") + "'>]><x>&e;<y a='1'/></x>");
    EXPECT_FALSE(document->loadXML(entity)) << "a declared entity refuses the document";
    EXPECT_TRUE(document->childNodes().empty());

    const std::u16string doctype = Widen("<!DOCTYPE x SYSTEM '" + Url("secret.dtd") + "'><x>&e;</x>");
    if (document->loadXML(doctype)) {
        EXPECT_EQ(document->xml().find(u"SECRET"), std::u16string::npos);
        EXPECT_EQ(document->childNodes().back().text(), u"");
    }

    // The usual probe: loads or not, nothing of the file comes through.
    if (document->loadXML(u"<!DOCTYPE x SYSTEM 'file:///etc/passwd'><x>&e;</x>")) {
        EXPECT_EQ(document->xml().find(u"root:"), std::u16string::npos);
    }
}

TEST_F(XmlSafety, EveryEntityDeclarationIsRefused)
{
    // A quiz document has no use for entities of its own, so none is accepted,
    // whatever its kind; a document type without declarations still loads.
    XmlDocumentPtr document = CXmlDocument::Create();
    for (std::u16string_view text : {u"<!DOCTYPE q [<!ENTITY a 'x'>]><q/>", u"<!DOCTYPE q [<!ENTITY % p 'x'>]><q/>",
                                     u"<!DOCTYPE q [<!NOTATION n SYSTEM 'n'><!ENTITY a SYSTEM 'a.gif' NDATA n>]><q/>"}) {
        EXPECT_FALSE(document->loadXML(text)) << std::string(text.begin(), text.end());
        EXPECT_TRUE(document->childNodes().empty());
    }
    for (std::u16string_view text : {u"<!DOCTYPE q><q>&amp;&#65;</q>", u"<!DOCTYPE q [<!ELEMENT q ANY>]><q/>"})
        EXPECT_TRUE(document->loadXML(text)) << std::string(text.begin(), text.end());
}

TEST_F(XmlSafety, EntityExpansionStaysBounded)
{
    // One wide entity referred to many times: 140 kB of text that would
    // otherwise stand for 400 MB. The references stand apart, each its own
    // text node: run together, libxml2 would copy one ever growing node over
    // and over on its way to the same limit, which takes seconds under
    // AddressSanitizer and proves nothing more.
    const std::string wide(20000, 'x');
    std::string references;
    for (int i = 0; i < 20000; ++i) references += "&a;<b/>";
    const std::u16string flat = Widen("<!DOCTYPE q [<!ENTITY a '" + wide + "'>]><q>" + references + "</q>");
    const std::u16string nested = Laughs(9);

    XmlDocumentPtr document = CXmlDocument::Create();
    const long before = PeakResidentKilobytes();
    EXPECT_FALSE(document->loadXML(nested));
    EXPECT_TRUE(document->childNodes().empty());
    EXPECT_FALSE(document->loadXML(flat));
    EXPECT_TRUE(document->childNodes().empty());
    // Refused early, not after the damage: the process never grew by more
    // than a fraction of the 400 MB (let alone the 3 GB of the nested one).
    EXPECT_LT(PeakResidentKilobytes() - before, 100 * 1024);

    // Even a single level is refused: the declaration alone is enough.
    EXPECT_FALSE(document->loadXML(Laughs(1)));
    EXPECT_TRUE(document->childNodes().empty());
}

// Elements may nest 256 deep and no deeper, however deep the attack goes.
TEST_F(XmlSafety, NestingDeeperThanTheLimitIsMalformed)
{
    const auto nested = [](int depth) {
        std::u16string text;
        for (int i = 0; i < depth; ++i) text += u"<a>";
        for (int i = 0; i < depth; ++i) text += u"</a>";
        return text;
    };
    XmlDocumentPtr document = CXmlDocument::Create();
    EXPECT_TRUE(document->loadXML(nested(256)));
    for (const int depth : {257, 100000}) {
        EXPECT_FALSE(document->loadXML(nested(depth))) << depth;
        EXPECT_TRUE(document->childNodes().empty()) << depth;
    }
}
