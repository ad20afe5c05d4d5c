// The quiz reader over arbitrary document text: load, then play it out.
#include "QuizReader.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CQuizReader reader;
    if (!reader.LoadText(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    std::u16string question, answer, option1, option2, option3;
    while (reader.NextRound())
        while (reader.NextTest(question, answer, option1, option2, option3)) {
        }
    return 0;
}
