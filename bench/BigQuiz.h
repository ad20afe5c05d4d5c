#pragma once
// A quiz document of about `megabytes` MB: rounds of ten tests, every test
// carrying an embedded picture of a few kilobytes, as an author who seals
// pictures into the file would make it.
#include "PictureBytes.h"
#include "QuizDocuments.h"

#include <string>

inline std::string BigQuizDocument(int megabytes)
{
    using namespace quizdoc;
    const std::string picture = "<BMP-BASE-64 dt:dt=\"bin.base64\">" + EncodedImage(48, 40, "BMP").toBase64().toStdString() +
                                "</BMP-BASE-64><Source>bench</Source>";
    std::string document = "<?xml version='1.0' encoding='ISO-8859-1' ?>\r\n"
                           "<Quizzes title=\"Big\" quizid=\"UserQuiz\" xmlns:dt=\"urn:schemas-microsoft-com:datatypes\">";
    const size_t target = static_cast<size_t>(megabytes) << 20;
    for (int quiz = 1; document.size() < target; ++quiz) {
        std::vector<std::string> rounds;
        for (int round = 1; round <= 10; ++round) {
            std::vector<std::string> tests;
            for (int test = 1; test <= 10; ++test)
                tests.push_back(TestElement("Question " + std::to_string(test), "Answer", picture));
            rounds.push_back(Round("Round " + std::to_string(round), tests));
        }
        document += Quiz("Quiz " + std::to_string(quiz), rounds);
    }
    return document + "</Quizzes>";
}
