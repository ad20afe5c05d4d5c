#pragma once
// How a quiz book cuts its document down to one game's worth: every round of
// the first quiz keeps at most ten tests, the rest dropped at random.
#include "xml/XmlDocument.h"

#include <string>
#include <string_view>

// Removes child nodes of every Questions element of every Round below
// `rounds` until ten remain, each at RandomIndex(count) of the nodes left.
void TrimRounds(const CXmlNode& rounds);

// Parses the document text, trims the Rounds that is the first child of the
// first Quiz of the first Quizzes, and returns the whole document as markup;
// empty when the text does not parse or holds no Quizzes with a Quiz. A quiz
// whose first child is not Rounds, and every later quiz, stay as they are.
std::u16string TrimmedDocument(std::u16string_view text);
