// The dialog initial data reader over arbitrary bytes. Whatever parses must
// write back to a block that parses to the same block.
#include "ole/DialogInitData.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CDialogInitData parsed;
    if (!CDialogInitData::Parse(data, size, parsed)) return 0;
    const std::vector<BYTE> written = parsed.Bytes();
    CDialogInitData again;
    if (!CDialogInitData::Parse(written.data(), written.size(), again)) std::abort();
    if (again.Bytes() != written) std::abort();
    return 0;
}
