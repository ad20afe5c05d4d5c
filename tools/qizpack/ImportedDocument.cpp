#include "ImportedDocument.h"

#include "EmbedPictures.h"

namespace {

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

QString Element(const char* name, const QString& text)
{
    return QString("<%1>%2</%1>").arg(name, Escaped(text));
}

} // namespace

std::u16string ImportedDocument(const ImportedQuiz& quiz)
{
    // Pictures go in as numbered Picture elements, which the embedding step
    // then replaces by their bytes.
    std::vector<const ImportedTest*> pictured;
    QString markup = QString("<Quizzes title=\"%1\" quizid=\"UserQuiz\">\n\t<Quiz title=\"%1\">\n\t\t<Rounds>\n")
                         .arg(Escaped(quiz.title));
    for (const ImportedRound& round : quiz.rounds) {
        markup += QString("\t\t\t<Round category=\"%1\">\n\t\t\t\t<Questions>\n").arg(Escaped(round.category));
        for (const ImportedTest& test : round.tests) {
            markup += "\t\t\t\t\t<Test>" + Element("Question", test.question) + Element("Answer", test.answer) +
                      Element("Option1", test.options[0]) + Element("Option2", test.options[1]) +
                      Element("Option3", test.options[2]);
            if (!test.pictureName.isEmpty()) {
                markup += Element("Picture", QString::number(pictured.size()));
                pictured.push_back(&test);
            }
            markup += "</Test>\n";
        }
        markup += "\t\t\t\t</Questions>\n\t\t\t</Round>\n";
    }
    markup += "\t\t</Rounds>\n\t</Quiz>\n</Quizzes>\n";
    return EmbedPictures(markup.toStdU16String(), [&](const std::u16string& number, QByteArray& file, std::string& source) {
        const size_t index = QString::fromStdU16String(number).toULongLong();
        if (index >= pictured.size()) return false;
        file = pictured[index]->picture;
        source = pictured[index]->pictureName.toStdString();
        return true;
    });
}
