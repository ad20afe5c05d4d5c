#pragma once
// What an author should know about the rounds of a document: the ones the
// game passes over and whatever inside Questions it will not ask.
#include "xml/XmlDocument.h"

#include <vector>

// Prints one warning line per finding to standard error, naming the round by
// its category: a round without Questions or without tests (skipped), a
// second Questions element (never played), and a comment, processing
// instruction or text inside the played Questions (not a test). Returns the
// number of findings.
int ReportRoundFindings(const std::vector<XmlDocumentPtr>& rounds);
