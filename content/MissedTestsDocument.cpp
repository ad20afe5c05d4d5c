#include "MissedTestsDocument.h"

#include "XmlNames.h"
#include "xml/XmlWriter.h"

#include <algorithm>

namespace {

// The prolog of the stored documents: it names the code page they are read in.
constexpr std::string_view kStoredProlog = "<?xml version='1.0' encoding='ISO-8859-1' ?>\r\n";

// What a picture's Source element says: the game made the file.
constexpr std::u16string_view kPictureSource = u"thebrainwheel review of missed questions";

void AddTest(CXmlWriter& writer, CXmlWriter::Element questions, const MissedTest& missed)
{
    const CXmlWriter::Element test = writer.AddElement(questions, u"Test");
    writer.AddElement(test, xmlnames::Question, missed.question);
    writer.AddElement(test, xmlnames::Answer, missed.answer);
    writer.AddElement(test, xmlnames::Option1, missed.option1);
    writer.AddElement(test, xmlnames::Option2, missed.option2);
    writer.AddElement(test, xmlnames::Option3, missed.option3);
    if (missed.picture.empty()) return;
    writer.AddBase64Element(test, xmlnames::BmpBase64, missed.picture);
    writer.AddElement(test, xmlnames::Source, kPictureSource);
}

}  // namespace

std::string MissedTestsDocument(const std::vector<MissedTest>& tests, std::u16string_view title)
{
    std::vector<std::u16string> categories;
    for (const MissedTest& test : tests)
        if (std::ranges::find(categories, test.category) == categories.end()) categories.push_back(test.category);

    CXmlWriter writer(xmlnames::Quizzes);
    const CXmlWriter::Element quizzes = writer.Root();
    writer.SetAttribute(quizzes, xmlnames::title, u"User Defined");
    writer.SetAttribute(quizzes, u"quizid", u"UserQuiz");
    const CXmlWriter::Element quiz = writer.AddElement(quizzes, xmlnames::Quiz);
    writer.SetAttribute(quiz, xmlnames::title, title);
    const CXmlWriter::Element rounds = writer.AddElement(quiz, xmlnames::Rounds);
    for (const std::u16string& category : categories) {
        const CXmlWriter::Element round = writer.AddElement(rounds, xmlnames::Round);
        if (!category.empty()) writer.SetAttribute(round, xmlnames::category, category);
        const CXmlWriter::Element questions = writer.AddElement(round, xmlnames::Questions);
        for (const MissedTest& test : tests)
            if (test.category == category) AddTest(writer, questions, test);
    }
    const std::string markup = writer.AsciiMarkup();
    if (markup.empty()) return {};
    return std::string(kStoredProlog) + markup;
}
