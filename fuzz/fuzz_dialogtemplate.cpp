// The dialog template reader over arbitrary text: it either parses or says
// which line is wrong and why.
#include "ole/DialogTemplate.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CDialogTemplate dialog;
    std::string error;
    if (!CDialogTemplate::Parse(std::string_view(reinterpret_cast<const char*>(data), size), dialog, error) &&
        error.empty())
        std::abort();
    return 0;
}
