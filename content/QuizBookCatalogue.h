#pragma once
// CQuizBookCatalogue: finds the installed quiz books. The game program does
// not know its books in advance; it tries the programmatic names numbered 1
// to 999 of its book pattern and lists every book it can create.
#include "QuizBook.h"

#include <functional>
#include <string>
#include <string_view>

class CQuizBookCatalogue {
public:
    static constexpr int kLastBookNumber = 999;

    // The pattern with its first "%d" replaced by `number`. "%%" stands for
    // one "%" and any other "%" is kept as it is, so a pattern is never a
    // format string: the settings write a "%" of the player's word as "%%".
    static std::string BookName(std::string_view pattern, int number);

    // Creates the book by programmatic name (8-bit text in the ANSI code
    // page) in any server context. A failure means there is no such book.
    static HRESULT CreateBook(const std::string& progId, IQuizBook** book);

    // Tries every number from 1 to kLastBookNumber in order and calls
    // `addEntry` with the title (8-bit text; empty when the book gives none)
    // and the name of each book that could be created. Each book is released
    // before the next number is tried. The result of `addEntry` tells whether
    // the list took the line; the caller keys its own entries by it, and the
    // scan goes on either way. A registry that cannot be read ends the scan
    // where it is met: REGDB_E_READREGDB with `error` set to why
    // ("<file>:<line>: <what>"), one failure for the list rather than one
    // per number.
    static HRESULT FillBookList(std::string_view pattern,
                                const std::function<bool(const std::string& title, const std::string& progId)>& addEntry,
                                std::string* error = nullptr);
};
