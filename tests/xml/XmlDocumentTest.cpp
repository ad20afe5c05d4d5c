// The DOM as the quiz readers walk it: names, types, order, attributes, text,
// markup that parses again, removal, and the base64 typed value.
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

XmlDocumentPtr Load(std::u16string_view text)
{
    XmlDocumentPtr document = CXmlDocument::Create();
    EXPECT_TRUE(document->loadXML(text)) << std::string(text.begin(), text.end());
    return document;
}

std::vector<std::u16string> Names(const std::vector<CXmlNode>& nodes)
{
    std::vector<std::u16string> names;
    for (const CXmlNode& node : nodes) names.push_back(node.nodeName());
    return names;
}

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

constexpr std::u16string_view kPictureQuiz =
    u"<Quizzes xmlns:dt='urn:schemas-microsoft-com:datatypes'><Test>"
    u"<BMP-BASE-64 dt:dt='bin.base64'>\r\n\tQUJD\r\n\tREVG\r\n</BMP-BASE-64></Test></Quizzes>";

}  // namespace

TEST(XmlDocument, WalksEveryKindOfNodeInDocumentOrder)
{
    XmlDocumentPtr document = Load(
        u"<?xml version='1.0' encoding='ISO-8859-1' ?>\r\n<?style sheet?>\r\n<!-- made by hand -->\r\n"
        u"<Quizzes>\r\n\t<Quiz>\r\n\t\t<Rounds/>\r\n\t</Quiz>\r\n\t<!--x--><![CDATA[<raw>]]>text<p:q xmlns:p='urn:p'/>\r\n</Quizzes>");

    EXPECT_EQ(document->node().nodeName(), u"#document");
    EXPECT_EQ(document->node().nodeType(), NODE_DOCUMENT);
    const std::vector<CXmlNode> top = document->childNodes();
    EXPECT_EQ(Names(top), (std::vector<std::u16string>{u"style", u"#comment", u"Quizzes"}));
    EXPECT_EQ(top[0].nodeType(), NODE_PROCESSING_INSTRUCTION);
    EXPECT_EQ(top[1].nodeType(), NODE_COMMENT);
    EXPECT_EQ(top[2].nodeType(), NODE_ELEMENT);
    EXPECT_EQ(document->firstChild(), top[0]);

    // The blank text between elements is gone; the text that says something stays.
    const std::vector<CXmlNode> children = top[2].childNodes();
    EXPECT_EQ(Names(children), (std::vector<std::u16string>{u"Quiz", u"#comment", u"#cdata-section", u"#text", u"p:q"}));
    EXPECT_EQ(children[2].nodeType(), NODE_CDATA_SECTION);
    EXPECT_EQ(children[3].nodeType(), NODE_TEXT);
    EXPECT_EQ(Names(children[0].childNodes()), std::vector<std::u16string>{u"Rounds"});
    EXPECT_FALSE(children[0].firstChild().firstChild());
    EXPECT_TRUE(children[0].firstChild().childNodes().empty());
}

TEST(XmlDocument, AttributesAndTextResolveReferences)
{
    XmlDocumentPtr document = Load(
        u"<!DOCTYPE Quiz>"
        u"<Quiz title='Beginner &amp;amp; Co &lt;1&gt;' by='Ann &amp; Bob' n='&#65;'>"
        u"<Question>Why<b> &lt;not&gt;</b><!--hidden--><![CDATA[ & ]]>Ann &amp; Bob?</Question></Quiz>");
    CXmlNode quiz;
    for (const CXmlNode& node : document->childNodes())
        if (node.nodeName() == u"Quiz") quiz = node;
    ASSERT_TRUE(quiz);
    EXPECT_EQ(document->firstChild().nodeType(), NODE_DOCUMENT_TYPE);

    const CXmlNode title = quiz.getNamedItem(u"title");
    ASSERT_TRUE(title);
    EXPECT_EQ(title.nodeType(), NODE_ATTRIBUTE);
    EXPECT_EQ(title.nodeName(), u"title");
    // One level of escaping is resolved; the doubly escaped one stays for the
    // lister to undo.
    EXPECT_EQ(title.text(), u"Beginner &amp; Co <1>");
    EXPECT_EQ(quiz.getNamedItem(u"by").text(), u"Ann & Bob");
    EXPECT_EQ(quiz.getNamedItem(u"n").text(), u"A");
    EXPECT_FALSE(quiz.getNamedItem(u"Title"));
    EXPECT_FALSE(quiz.firstChild().getNamedItem(u"title"));

    // Text gathers every descendant's text, comments excluded.
    EXPECT_EQ(quiz.firstChild().text(), u"Why <not> & Ann & Bob?");
    EXPECT_EQ(quiz.text(), quiz.firstChild().text());
}

TEST(XmlDocument, NodeMarkupParsesAgainOnItsOwn)
{
    XmlDocumentPtr document = Load(kPictureQuiz);
    const CXmlNode picture = document->firstChild().firstChild().firstChild();
    ASSERT_EQ(picture.nodeName(), u"BMP-BASE-64");

    // The namespace of the datatype attribute is declared two levels up.
    const std::u16string markup = picture.xml();
    EXPECT_NE(markup.find(u"xmlns:dt="), std::u16string::npos);
    XmlDocumentPtr alone = Load(markup);
    EXPECT_EQ(alone->firstChild().nodeName(), u"BMP-BASE-64");
    EXPECT_EQ(alone->firstChild().getNamedItem(u"dt:dt").text(), u"bin.base64");
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(alone->firstChild().nodeTypedValue(bytes));
    EXPECT_EQ(Bytes(bytes), "ABCDEF");

    // Markup of the other kinds of node, as the user quiz wrapper takes them.
    XmlDocumentPtr quiz = Load(u"<Quiz><!-- a -->plain &amp; <![CDATA[<x>]]><?pi data?></Quiz>");
    const std::vector<CXmlNode> children = quiz->firstChild().childNodes();
    ASSERT_EQ(children.size(), 4u);
    EXPECT_EQ(children[0].xml(), u"<!-- a -->");
    EXPECT_EQ(children[1].xml(), u"plain &amp; ");
    EXPECT_EQ(children[2].xml(), u"<![CDATA[<x>]]>");
    EXPECT_EQ(children[3].xml(), u"<?pi data?>");
}

TEST(XmlDocument, DocumentMarkupLoadsAgainWithItsCharacters)
{
    // The prolog claims Latin-1, but the text reaching the DOM is already
    // decoded: the e-acute must survive as one character, in text and in an
    // attribute, through the document's markup and a second load.
    const std::u16string text = u"<?xml version='1.0' encoding='ISO-8859-1' ?><Quizzes title='Caf\u00e9'>"
                                u"<Quiz><Question>D\u00e9j\u00e0 &lt;vu&gt;</Question></Quiz></Quizzes>";
    XmlDocumentPtr document = Load(text);
    EXPECT_EQ(document->firstChild().getNamedItem(u"title").text(), u"Caf\u00e9");

    const std::u16string markup = document->xml();
    XmlDocumentPtr again = Load(markup);
    EXPECT_EQ(again->xml(), markup);
    EXPECT_EQ(again->firstChild().getNamedItem(u"title").text(), u"Caf\u00e9");
    EXPECT_EQ(again->firstChild().text(), u"D\u00e9j\u00e0 <vu>");
    EXPECT_NE(again->firstChild().firstChild().xml().find(u"D\u00e9j\u00e0"), std::u16string::npos);

    EXPECT_EQ(CXmlDocument::Create()->xml(), u"");
}

TEST(XmlDocument, LoadingReplacesTheTreeAndOldHandlesStayValid)
{
    XmlDocumentPtr document = Load(u"<First><A>one</A></First>");
    const CXmlNode oldA = document->firstChild().firstChild();

    EXPECT_TRUE(document->loadXML(u"<Second/>"));
    EXPECT_EQ(Names(document->childNodes()), std::vector<std::u16string>{u"Second"});
    EXPECT_EQ(oldA.text(), u"one");

    EXPECT_FALSE(document->loadXML(u"<Third>"));
    EXPECT_TRUE(document->childNodes().empty());
    EXPECT_FALSE(document->firstChild());
    EXPECT_EQ(document->xml(), u"");
    EXPECT_EQ(oldA.nodeName(), u"A");
}

TEST(XmlDocument, RemovedChildrenStayUsableUntilTheLastHandleGoes)
{
    CXmlNode removed;
    CXmlNode grandchild;
    {
        XmlDocumentPtr document = Load(u"<Questions><Test>1</Test><Test><Q>2</Q></Test><!--3--></Questions>");
        CXmlNode questions = document->firstChild();
        std::vector<CXmlNode> tests = questions.childNodes();
        ASSERT_EQ(tests.size(), 3u);

        EXPECT_TRUE(questions.removeChild(tests[1]));
        EXPECT_EQ(questions.childNodes().size(), 2u);
        EXPECT_EQ(questions.text(), u"1");
        EXPECT_FALSE(questions.removeChild(tests[1]));
        // Only the parent may remove a node, and an attribute is no child.
        EXPECT_FALSE(document->node().removeChild(tests[0]));
        EXPECT_FALSE(tests[0].removeChild(tests[2]));

        removed = tests[1];
        grandchild = removed.firstChild();
        EXPECT_TRUE(removed.removeChild(grandchild));
        EXPECT_TRUE(questions.removeChild(tests[0]));
        EXPECT_TRUE(questions.removeChild(tests[2]));
        EXPECT_TRUE(questions.childNodes().empty());
        EXPECT_TRUE(document->node().removeChild(questions));
        EXPECT_TRUE(document->childNodes().empty());
    }
    // The document is gone; the handles keep the tree they came from.
    EXPECT_EQ(removed.xml(), u"<Test/>");
    EXPECT_EQ(grandchild.text(), u"2");

    XmlDocumentPtr attributes = Load(u"<a x='1'/>");
    CXmlNode element = attributes->firstChild();
    EXPECT_FALSE(element.removeChild(attributes->firstChild().getNamedItem(u"x")));
    EXPECT_TRUE(attributes->firstChild().getNamedItem(u"x"));
}

TEST(XmlDocument, TypedValueOnlyForTheBase64DataType)
{
    std::vector<std::uint8_t> bytes;

    XmlDocumentPtr onItself = Load(u"<P xmlns:dt='urn:schemas-microsoft-com:datatypes' dt:dt='bin.base64'>SGk=</P>");
    ASSERT_TRUE(onItself->firstChild().nodeTypedValue(bytes));
    EXPECT_EQ(Bytes(bytes), "Hi");

    XmlDocumentPtr onAncestor = Load(kPictureQuiz);
    ASSERT_TRUE(onAncestor->firstChild().firstChild().firstChild().nodeTypedValue(bytes));
    EXPECT_EQ(Bytes(bytes), "ABCDEF");

    // A hand-written quiz that never declares the prefix still loads.
    XmlDocumentPtr unbound = Load(u"<P dt:dt='bin.base64'>SGk=</P>");
    ASSERT_TRUE(unbound->firstChild().nodeTypedValue(bytes));
    EXPECT_EQ(Bytes(bytes), "Hi");

    XmlDocumentPtr empty = Load(u"<P xmlns:dt='urn:schemas-microsoft-com:datatypes' dt:dt='bin.base64'/>");
    ASSERT_TRUE(empty->firstChild().nodeTypedValue(bytes));
    EXPECT_TRUE(bytes.empty());

    for (std::u16string_view other : {u"<P>SGk=</P>", u"<P xmlns:dt='urn:schemas-microsoft-com:datatypes' dt:dt='bin.hex'>00</P>",
                                      u"<P xmlns:dt='urn:other' dt:dt='bin.base64'>SGk=</P>"}) {
        XmlDocumentPtr document = Load(other);
        EXPECT_FALSE(document->firstChild().nodeTypedValue(bytes)) << std::string(other.begin(), other.end());
        EXPECT_FALSE(document->node().nodeTypedValue(bytes));
    }
}

TEST(XmlDocument, LargeTextKeepsItsCharactersWhateverThePrologSays)
{
    // Past the first pieces of input, and past 10 MB, the text must still be
    // read as it was handed over: a declared Latin-1 encoding is not applied.
    const std::u16string pad = u"<Pad>" + std::u16string(1 << 20, u'x') + u"</Pad>";
    std::u16string text = u"<?xml version='1.0' encoding='ISO-8859-1' ?><Quizzes>";
    for (int i = 0; i < 11; ++i) text += pad;
    text += u"<Quiz title='Caf\u00e9'/></Quizzes>";
    XmlDocumentPtr document = Load(text);
    const std::vector<CXmlNode> children = document->firstChild().childNodes();
    ASSERT_EQ(children.size(), 12u);
    EXPECT_EQ(children[11].getNamedItem(u"title").text(), u"Caf\u00e9");
}

TEST(XmlDocument, BlankTextGoesWhereverTheInputSplits)
{
    // The input reaches the parser in pieces of a few kilobytes; runs of
    // blanks of every length, shifted across the piece boundaries by a
    // leading attribute, must go all the same, and an element left empty on
    // several lines has no children. Text that says something stays whole.
    for (size_t blanks : {1u, 300u, 400u, 700u, 4000u, 4096u, 9000u}) {
        for (size_t shift : {0u, 1u, 2047u, 4000u, 4095u}) {
            const std::u16string run = std::u16string(blanks / 2, u'\t') + u"\r\n" + std::u16string(blanks - blanks / 2, u' ');
            XmlDocumentPtr document = Load(u"<Questions pad='" + std::u16string(shift, u'p') + u"'>" + run + u"<Test/>" +
                                           run + u"<Test>" + run + u"</Test>" + run + u"<Test> x </Test>" + run +
                                           u"</Questions>");
            const CXmlNode questions = document->firstChild();
            ASSERT_EQ(Names(questions.childNodes()), (std::vector<std::u16string>{u"Test", u"Test", u"Test"}))
                << blanks << " blanks after " << shift;
            EXPECT_TRUE(questions.childNodes()[1].childNodes().empty());
            EXPECT_EQ(questions.childNodes()[2].text(), u" x ");
        }
    }
}
