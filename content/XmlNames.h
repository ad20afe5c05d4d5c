#pragma once
// The element and attribute names of a quiz document, and the lookups the
// readers share.
#include "xml/XmlDocument.h"

#include <string_view>
#include <vector>

namespace xmlnames {
inline constexpr std::u16string_view Quizzes = u"Quizzes";
inline constexpr std::u16string_view Quiz = u"Quiz";
inline constexpr std::u16string_view Rounds = u"Rounds";
inline constexpr std::u16string_view Round = u"Round";
inline constexpr std::u16string_view Questions = u"Questions";
inline constexpr std::u16string_view Question = u"Question";
inline constexpr std::u16string_view Answer = u"Answer";
inline constexpr std::u16string_view Option1 = u"Option1";
inline constexpr std::u16string_view Option2 = u"Option2";
inline constexpr std::u16string_view Option3 = u"Option3";
inline constexpr std::u16string_view Picture = u"Picture";
inline constexpr std::u16string_view BmpBase64 = u"BMP-BASE-64";
inline constexpr std::u16string_view Source = u"Source";
inline constexpr std::u16string_view category = u"category";
inline constexpr std::u16string_view title = u"title";
} // namespace xmlnames

// The first element child of `parent` with that name, or none.
CXmlNode FirstElementChild(const CXmlNode& parent, std::u16string_view name);
// The element children of `parent` in document order: comments, processing
// instructions and text never stand for a quiz, a round or a test.
std::vector<CXmlNode> ElementChildren(const CXmlNode& parent);
