#include "RoundFindings.h"

#include "QuizReader.h"
#include "XmlNames.h"

#include <QString>

#include <cstdio>

namespace {

// What a node that is not a test is, in an author's words.
QString Describe(const CXmlNode& node)
{
    switch (node.nodeType()) {
    case NODE_COMMENT:
        return "a comment";
    case NODE_PROCESSING_INSTRUCTION:
        return "the processing instruction \"" + QString::fromStdU16String(node.nodeName()) + "\"";
    default:
        return "the text \"" + QString::fromStdU16String(node.text()).simplified() + "\"";
    }
}

class CRoundChecker {
public:
    explicit CRoundChecker(const XmlDocumentPtr& round) : m_round(round)
    {
        const CXmlNode category = round->firstChild().getNamedItem(xmlnames::category);
        m_category = category ? QString::fromStdU16String(category.text()) : QString();
    }

    int Check()
    {
        const CXmlNode played = CQuizReader::PlayedQuestions(m_round);
        if (!played) Warn("it has no Questions element and is skipped");
        else if (CQuizReader::CountTests(m_round) == 0) Warn("it has no tests and is skipped");
        for (const CXmlNode& child : played.childNodes())
            if (child.nodeType() != NODE_ELEMENT) Warn(Describe(child) + " inside Questions is not a test");
        int others = 0;
        for (const CXmlNode& questions : ElementChildren(m_round->firstChild()))
            if (questions.nodeName() == xmlnames::Questions && !(questions == played)) ++others;
        if (others > 0) Warn(QString("only its first Questions element is played, not the %1 after it").arg(others));
        return m_findings;
    }

private:
    void Warn(const QString& finding)
    {
        ++m_findings;
        std::fprintf(stderr, "warning: round \"%s\": %s\n", m_category.toStdString().c_str(),
                     finding.toStdString().c_str());
    }

    const XmlDocumentPtr& m_round;
    QString m_category;
    int m_findings = 0;
};

} // namespace

int ReportRoundFindings(const std::vector<XmlDocumentPtr>& rounds)
{
    int findings = 0;
    for (const XmlDocumentPtr& round : rounds) findings += CRoundChecker(round).Check();
    return findings;
}
