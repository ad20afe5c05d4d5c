#pragma once
// Turns a quiz document that names a book's pictures into one that carries
// them, so that it plays without the book installed.
#include "QuizBook.h"

#include <QByteArray>

#include <functional>
#include <string>
#include <string_view>

// Finds the picture a Picture element names: its file bytes and the text of
// the Source element that goes with it. False when there is none; the lookup
// tells the author itself.
using PictureLookup = std::function<bool(const std::u16string& name, QByteArray& file, std::string& source)>;

// Replaces every Picture element the lookup resolves by a BMP-BASE-64
// element holding the file bytes (declaring the bin.base64 data type)
// followed by a Source element; the others stay as they are. The document
// comes back as markup with a UTF-8 declaration; empty when it does not
// parse.
std::u16string EmbedPictures(std::u16string_view document, const PictureLookup& lookup);

// The same with the pictures of a quiz book, the Source naming the book and
// the number. A number the book doesn't hold is reported on standard error.
std::u16string EmbedPictures(std::u16string_view document, IQuizBook* book, const std::string& bookName);
