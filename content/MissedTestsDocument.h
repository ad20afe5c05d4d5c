#pragma once
// The quiz document that plays the missed tests again, in the stored form of
// a user quiz file (an 8-bit text under the stored prolog, ready to seal).
#include "MissedTests.h"

#include <string>
#include <string_view>
#include <vector>

// One quiz titled `title` asking exactly `tests`: one round per category, in
// the order the categories were first missed, each picture embedded with its
// source named, so that the file plays without the quiz book. Every character
// outside ASCII is written as a reference, so nothing is lost to the code
// page. Empty when the document could not be built.
std::string MissedTestsDocument(const std::vector<MissedTest>& tests, std::u16string_view title);
