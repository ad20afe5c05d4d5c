#pragma once
// What an author should look at again in a quiz document: faults the game
// would play without complaint but a player would notice.
#include "QuizBook.h"
#include "xml/XmlDocument.h"

#include <string>
#include <vector>

// Prints one warning line per finding to standard error, naming the round by
// its category and the test by its number in the round and its question:
// two equal options, an option that is the answer but for case and accents,
// an empty question or answer, and (when a book is given) a Picture number
// the book holds no picture for. Returns the number of findings.
int ReportTestFindings(const std::vector<XmlDocumentPtr>& rounds, IQuizBook* book);

// Lower case with the accents of Latin-1 letters taken off ("Écarlate" and
// "ecarlate" fold alike; "Œuf" folds to "oeuf").
std::u16string FoldCaseAndAccents(std::u16string_view text);
