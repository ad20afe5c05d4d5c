// The quiz reader over arbitrary document text: load, then play it out. The
// count the game reports must be exactly the number of tests it asks.
#include "QuizReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CQuizReader reader;
    if (!reader.LoadText(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    std::u16string question, answer, option1, option2, option3;
    LONG asked = 0;
    while (reader.NextRound())
        while (reader.NextTest(question, answer, option1, option2, option3)) ++asked;
    if (asked != reader.TotalTests()) std::abort();
    return 0;
}
