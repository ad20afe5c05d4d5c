#include "TrimRounds.h"

#include "ui/Random.h"

namespace {

constexpr size_t kTestsPerRound = 10;

// The first child node of `parent` with that name, of whatever kind.
CXmlNode FirstChildNamed(const CXmlNode& parent, std::u16string_view name)
{
    for (const CXmlNode& child : parent.childNodes())
        if (child.nodeName() == name) return child;
    return {};
}

void TrimQuestions(CXmlNode questions)
{
    const size_t n = questions.childNodes().size();
    if (n <= kTestsPerRound) return;
    // The count falls only when a removal succeeds, and a failed step is not
    // tried again: the draws stay those of the desktop book, r mod n down to
    // r mod 11 within one second.
    int count = static_cast<int>(n);
    for (size_t step = 0; step < n - kTestsPerRound; ++step) {
        const size_t i = static_cast<size_t>(RandomIndex(count));
        const std::vector<CXmlNode> children = questions.childNodes();
        if (i < children.size() && questions.removeChild(children[i])) --count;
    }
}

} // namespace

void TrimRounds(const CXmlNode& rounds)
{
    for (const CXmlNode& round : rounds.childNodes()) {
        if (round.nodeType() != NODE_ELEMENT || round.nodeName() != u"Round") continue;
        for (const CXmlNode& questions : round.childNodes())
            if (questions.nodeType() == NODE_ELEMENT && questions.nodeName() == u"Questions") TrimQuestions(questions);
    }
}

std::u16string TrimmedDocument(std::u16string_view text)
{
    const XmlDocumentPtr document = CXmlDocument::Create();
    if (!document || !document->loadXML(text)) return {};
    // A document without a quiz is no quiz document: the walk stops there
    // and nothing is served.
    const CXmlNode quizzes = FirstChildNamed(document->node(), u"Quizzes");
    const CXmlNode quiz = quizzes ? FirstChildNamed(quizzes, u"Quiz") : CXmlNode();
    if (!quiz) return {};
    const CXmlNode first = quiz.firstChild();
    if (first && first.nodeName() == u"Rounds") TrimRounds(first);
    return document->xml();
}
