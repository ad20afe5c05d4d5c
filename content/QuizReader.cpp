#include "QuizReader.h"

#include "QuizBookCatalogue.h"
#include "XmlNames.h"
#include "ole/Stream.h"
#include "ui/AnsiCodePage.h"
#include "ui/Random.h"

#include <algorithm>
#include <exception>
#include <new>

bool CQuizReader::Fail(std::u16string_view error)
{
    m_bstrError = CComBSTR(error);
    return false;
}

bool CQuizReader::OpenBook(const std::string& progId, LONG questionId)
{
    if (FAILED(CQuizBookCatalogue::CreateBook(progId, &m_pQuizBook))) return Fail(u"Failed to create the quiz book");

    // A book that fails here must not take the game down with it: the quiz
    // simply doesn't start.
    CComBSTR document;
    if (FAILED(m_pQuizBook->GetQuestionXml(questionId, &document)))
        return Fail(u"Failed to get the quiz from the quiz book");
    return LoadXml(document.str());
}

bool CQuizReader::LoadText(std::string_view text) { return LoadXml(AnsiToWide(text)); }

bool CQuizReader::LoadXml(std::u16string_view text)
{
    m_rounds.clear();
    m_nTotalTests = 0;
    m_bstrCategory = CComBSTR();
    m_pQuestions.reset();

    m_pQuestions = CXmlDocument::Create();
    if (!m_pQuestions) return Fail(u"Failed to create DOMDocument");
    const XmlDocumentPtr work = CXmlDocument::Create();
    if (!work) return Fail(u"Failed to create XMLDoc");
    if (!work->loadXML(text)) return Fail(u"Failed to load XML");

    try {
        if (const CXmlNode quizzes = FirstElementChild(work->node(), xmlnames::Quizzes)) CollectRounds(quizzes);
    } catch (const std::bad_alloc&) {
        return Fail(u"Not enough memory to load the quiz");
    }

    LONG total = 0;
    for (const XmlDocumentPtr& round : m_rounds) total += CountTests(round);
    m_nTotalTests = total;
    return true;
}

// Every element child of Quizzes is a quiz, whatever its name; each round is
// parsed again into a document of its own so that drawing one never disturbs
// the rest.
void CQuizReader::CollectRounds(const CXmlNode& quizzes)
{
    for (const CXmlNode& quiz : ElementChildren(quizzes)) {
        const CXmlNode rounds = FirstElementChild(quiz, xmlnames::Rounds);
        if (!rounds) continue;
        for (const CXmlNode& round : ElementChildren(rounds)) {
            if (round.nodeName() != xmlnames::Round) continue;
            XmlDocumentPtr document = CXmlDocument::Create();
            if (document && document->loadXML(round.xml())) m_rounds.push_back(std::move(document));
        }
    }
}

CXmlNode CQuizReader::PlayedQuestions(const XmlDocumentPtr& round)
{
    if (!round) return {};
    const CXmlNode first = round->firstChild();
    if (!first || first.nodeType() != NODE_ELEMENT || first.nodeName() != xmlnames::Round) return {};
    return FirstElementChild(first, xmlnames::Questions);
}

LONG CQuizReader::CountTests(const XmlDocumentPtr& round)
{
    return static_cast<LONG>(ElementChildren(PlayedQuestions(round)).size());
}

// A round with nothing to ask is passed over, so that the quiz goes on with
// the others and plays exactly the count it reported.
bool CQuizReader::NextRound()
{
    m_bstrCategory = CComBSTR();
    while (!m_rounds.empty()) {
        const XmlDocumentPtr drawn = m_rounds[static_cast<size_t>(RandomIndex(static_cast<int>(m_rounds.size())))];
        std::erase(m_rounds, drawn);
        if (CountTests(drawn) == 0 || !m_pQuestions) continue;
        if (const CXmlNode category = drawn->firstChild().getNamedItem(xmlnames::category))
            m_bstrCategory = CComBSTR(category.text());
        m_pQuestions->loadXML(PlayedQuestions(drawn).xml());
        return true;
    }
    return false;
}

bool CQuizReader::NextTest(std::u16string& question, std::u16string& answer, std::u16string& option1,
                           std::u16string& option2, std::u16string& option3)
{
    question.clear();
    answer.clear();
    option1.clear();
    option2.clear();
    option3.clear();
    m_pPicture.Release();

    if (!m_pQuestions) return false;
    CXmlNode questions = m_pQuestions->firstChild();
    if (!questions) return false;
    const std::vector<CXmlNode> tests = ElementChildren(questions);
    if (tests.empty()) return false;
    const CXmlNode test = tests[static_cast<size_t>(RandomIndex(static_cast<int>(tests.size())))];

    ReadTest(test, question, answer, option1, option2, option3);
    questions.removeChild(test);
    return true;
}

void CQuizReader::ReadTest(const CXmlNode& test, std::u16string& question, std::u16string& answer,
                           std::u16string& option1, std::u16string& option2, std::u16string& option3)
{
    bool embedded = false;
    bool source = false;
    for (const CXmlNode& child : ElementChildren(test)) {
        const std::u16string name = child.nodeName();
        if (name == xmlnames::Question) question = child.text();
        else if (name == xmlnames::Answer) answer = child.text();
        else if (name == xmlnames::Option1) option1 = child.text();
        else if (name == xmlnames::Option2) option2 = child.text();
        else if (name == xmlnames::Option3) option3 = child.text();
        else if (name == xmlnames::Picture) LoadBookPicture(child.text());
        else if (name == xmlnames::BmpBase64) embedded = LoadEmbeddedPicture(child) || embedded;
        else if (name == xmlnames::Source) source = true;
    }
    // An embedded picture counts only when the test names its source.
    if (embedded && !source) m_pPicture.Release();
}

void CQuizReader::LoadBookPicture(const std::u16string& pictureId)
{
    if (pictureId.empty() || !m_pQuizBook) return;
    CComBSTR id(pictureId);
    CComPtr<IPictureDisp> picture;
    // A book that fails to give the picture leaves a text question.
    if (FAILED(m_pQuizBook->GetPicture(id, &picture))) picture.Release();
    m_pPicture = picture;
}

// The element is serialised on its own, passed through the ANSI code page as
// the stored documents are, and parsed again so that its typed value decodes.
bool CQuizReader::LoadEmbeddedPicture(const CXmlNode& element)
{
    const XmlDocumentPtr document = CXmlDocument::Create();
    if (!document || !document->loadXML(AnsiToWide(WideToAnsi(element.xml())))) return false;
    std::vector<BYTE> bytes;
    const CXmlNode first = document->firstChild();
    if (!first || !first.nodeTypedValue(bytes)) return false;

    CComPtr<IStream> stream;
    if (FAILED(CreateStreamOnMemory(std::move(bytes), &stream))) return false;
    CComPtr<IPictureDisp> picture;
    if (FAILED(OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture))) || !picture)
        return false;
    m_pPicture = picture;
    return true;
}
