#pragma once
// Small quiz documents for the tests, built as text.
#include <string>
#include <vector>

namespace quizdoc {

// <Test> with the five texts.
inline std::string TestElement(const std::string& question, const std::string& answer = "A", const std::string& extra = "")
{
    return "<Test><Question>" + question + "</Question><Answer>" + answer +
           "</Answer><Option1>x</Option1><Option2>y</Option2><Option3>z</Option3>" + extra + "</Test>";
}

// <Round category=...> with one Questions element holding the tests.
inline std::string Round(const std::string& category, const std::vector<std::string>& tests)
{
    std::string round = category.empty() ? "<Round>" : "<Round category=\"" + category + "\">";
    round += "<Questions>";
    for (const std::string& test : tests) round += test;
    return round + "</Questions></Round>";
}

// n numbered tests "<prefix>1".."<prefix>n".
inline std::vector<std::string> Tests(const std::string& prefix, int n)
{
    std::vector<std::string> tests;
    for (int i = 1; i <= n; ++i) tests.push_back(TestElement(prefix + std::to_string(i)));
    return tests;
}

inline std::string Quiz(const std::string& title, const std::vector<std::string>& rounds)
{
    std::string quiz = "<Quiz title=\"" + title + "\"><Rounds>";
    for (const std::string& round : rounds) quiz += round;
    return quiz + "</Rounds></Quiz>";
}

inline std::string Document(const std::vector<std::string>& quizzes)
{
    std::string document = "<?xml version='1.0' encoding='ISO-8859-1' ?>\r\n<Quizzes title=\"T\" quizid=\"UserQuiz\">";
    for (const std::string& quiz : quizzes) document += quiz;
    return document + "</Quizzes>";
}

} // namespace quizdoc
