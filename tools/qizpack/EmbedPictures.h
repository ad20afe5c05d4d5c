#pragma once
// Turns a quiz document that names a book's pictures into one that carries
// them, so that it plays without the book installed.
#include "QuizBook.h"

#include <string>
#include <string_view>

// Replaces every Picture element whose number the book resolves by a
// BMP-BASE-64 element holding the picture's file bytes (declaring the
// bin.base64 data type) followed by a Source element naming where it came
// from. A number the book doesn't hold is left as it is and reported on
// standard error. Empty when the document does not parse.
std::u16string EmbedPictures(std::u16string_view document, IQuizBook* book, const std::string& bookName);
