#include "TestFindings.h"

#include "XmlNames.h"
#include "com/ComPtr.h"

#include <QString>

#include <array>
#include <cstdio>

namespace {

// Base letters of U+00C0..U+00FF, lower case; '\0' for the signs that stay.
constexpr char kLatin1Base[] = "aaaaaaaceeeeiiii" "dnooooo\0ouuuuy\0s"
                               "aaaaaaaceeeeiiii" "dnooooo\0ouuuuy\0y";

std::string ToUtf8(std::u16string_view text)
{
    return QString::fromStdU16String(std::u16string(text)).toStdString();
}

// The text of the last child element of that name (the reader's rule), or empty.
std::u16string LastText(const CXmlNode& test, std::u16string_view name, bool& present)
{
    present = false;
    std::u16string text;
    for (const CXmlNode& child : test.childNodes())
        if (child.nodeType() == NODE_ELEMENT && child.nodeName() == name) {
            text = child.text();
            present = true;
        }
    return text;
}

std::u16string LastText(const CXmlNode& test, std::u16string_view name)
{
    bool present = false;
    return LastText(test, name, present);
}

class CTestChecker {
public:
    CTestChecker(std::u16string category, IQuizBook* book) : m_category(std::move(category)), m_book(book) {}

    void Check(const CXmlNode& test, int number)
    {
        m_test = number;
        m_question = LastText(test, xmlnames::Question);
        const std::u16string answer = LastText(test, xmlnames::Answer);
        const std::array<std::u16string, 3> options = {LastText(test, xmlnames::Option1),
                                                       LastText(test, xmlnames::Option2),
                                                       LastText(test, xmlnames::Option3)};
        if (m_question.empty()) Warn("the question is empty");
        if (answer.empty()) Warn("the answer is empty");
        for (size_t i = 0; i < options.size(); ++i)
            for (size_t j = i + 1; j < options.size(); ++j)
                if (options[i] == options[j])
                    Warn(QString("options %1 and %2 are both \"%3\"")
                             .arg(i + 1)
                             .arg(j + 1)
                             .arg(QString::fromStdU16String(options[i])));
        for (size_t i = 0; i < options.size(); ++i)
            if (!answer.empty() && FoldCaseAndAccents(options[i]) == FoldCaseAndAccents(answer))
                Warn(QString("option %1 \"%2\" is the answer \"%3\"")
                         .arg(i + 1)
                         .arg(QString::fromStdU16String(options[i]), QString::fromStdU16String(answer)));
        CheckPicture(test);
    }

    int Findings() const { return m_findings; }

private:
    void CheckPicture(const CXmlNode& test)
    {
        bool present = false;
        const std::u16string number = LastText(test, xmlnames::Picture, present);
        if (!m_book || !present || number.empty()) return;
        CComPtr<IPictureDisp> picture;
        if (SUCCEEDED(m_book->GetPicture(CComBSTR(number), &picture)) && picture) return;
        Warn(QString("the book holds no picture %1").arg(QString::fromStdU16String(number)));
    }

    void Warn(const QString& finding)
    {
        ++m_findings;
        std::fprintf(stderr, "warning: round \"%s\", test %d \"%s\": %s\n", ToUtf8(m_category).c_str(), m_test,
                     ToUtf8(m_question).c_str(), finding.toStdString().c_str());
    }

    std::u16string m_category;
    IQuizBook* m_book;
    int m_test = 0;
    std::u16string m_question;
    int m_findings = 0;
};

} // namespace

std::u16string FoldCaseAndAccents(std::u16string_view text)
{
    std::u16string folded;
    for (const char16_t c : text) {
        if (c >= u'A' && c <= u'Z') folded.push_back(static_cast<char16_t>(c - u'A' + u'a'));
        else if (c == u'\u00C6' || c == u'\u00E6') folded += u"ae";
        else if (c == u'\u0152' || c == u'\u0153') folded += u"oe";
        else if (c == u'\u00DF') folded += u"ss";
        else if (c >= 0xC0 && c <= 0xFF && kLatin1Base[c - 0xC0]) folded.push_back(static_cast<char16_t>(kLatin1Base[c - 0xC0]));
        else folded.push_back(c);
    }
    return folded;
}

int ReportTestFindings(const std::vector<XmlDocumentPtr>& rounds, IQuizBook* book)
{
    int findings = 0;
    for (const XmlDocumentPtr& round : rounds) {
        const CXmlNode element = round->firstChild();
        const CXmlNode category = element.getNamedItem(xmlnames::category);
        CTestChecker checker(category ? category.text() : std::u16string(), book);
        int number = 0;
        for (const CXmlNode& questions : element.childNodes()) {
            if (questions.nodeType() != NODE_ELEMENT || questions.nodeName() != xmlnames::Questions) continue;
            for (const CXmlNode& test : questions.childNodes())
                if (test.nodeType() == NODE_ELEMENT) checker.Check(test, ++number);
        }
        findings += checker.Findings();
    }
    return findings;
}
