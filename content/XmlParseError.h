#pragma once
// Where and why libxml2 refuses a text. The DOM only says that a parse
// failed, which is all the game needs for its numbered messages; people who
// write quizzes need the line and the reason, so the authoring tool asks
// once more here when a parse has failed.
#include <string>
#include <string_view>

struct XmlParseError {
    int line = 0;        // 1-based; 0 when libxml2 named no line
    std::string reason;  // libxml2's own words; empty when the text parses
};

// Parses UTF-8 text with the DOM's rules (no network, no external resources,
// the declared encoding ignored) and returns the first error. A document
// that declares an entity, which the DOM refuses, is reported as such.
XmlParseError FindXmlParseError(std::string_view utf8);

// "not well-formed at line N (reason)", or "not well-formed (reason)".
std::string DescribeXmlParseError(const XmlParseError& error);
