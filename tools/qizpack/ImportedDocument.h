#pragma once
// Writes an imported quiz as a quiz document: Quizzes holding one Quiz whose
// first element is Rounds, a Round per category with one Questions element,
// and a Test per row or entry, its picture embedded (BMP-BASE-64 and Source,
// the Source naming the file as the import named it).
#include "ImportedQuiz.h"

#include <string>

// The document as markup under a UTF-8 declaration; empty when it can't be
// made.
std::u16string ImportedDocument(const ImportedQuiz& quiz);
