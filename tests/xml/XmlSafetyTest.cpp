// What a hostile or broken quiz document must not do: load half-way, fetch
// anything, expand without bound, or print on the player's terminal.
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

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
    if (document->loadXML(entity)) {
        EXPECT_EQ(document->xml().find(u"SECRET"), std::u16string::npos);
        for (const CXmlNode& node : document->childNodes()) EXPECT_EQ(node.text().find(u"SECRET"), std::u16string::npos);
    }

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

TEST_F(XmlSafety, EntityExpansionStaysBounded)
{
    XmlDocumentPtr document = CXmlDocument::Create();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(document->loadXML(Laughs(9)));
    EXPECT_TRUE(document->childNodes().empty());
    // One wide entity referred to many times: 160 kB of text that would
    // otherwise stand for 400 MB.
    const std::string wide(20000, 'x');
    std::string references;
    for (int i = 0; i < 20000; ++i) references += "&a;";
    EXPECT_FALSE(document->loadXML(Widen("<!DOCTYPE q [<!ENTITY a '" + wide + "'>]><q>" + references + "</q>")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    // A single level is legitimate and expands in full.
    ASSERT_TRUE(document->loadXML(Laughs(1)));
    EXPECT_EQ(document->childNodes().back().text().size(), 30u);
}
