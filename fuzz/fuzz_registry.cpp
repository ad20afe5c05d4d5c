// Feeds arbitrary bytes to the registry file parser. Whatever parses must
// write back to text that parses to the same registry and the same text.
#include "com/RegistryFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CRegistryData parsed;
    std::string error;
    if (FAILED(CRegistryFile::Parse(text, "fuzz.reg", parsed, error))) {
        if (error.empty()) std::abort();
        return 0;
    }
    const std::string written = CRegistryFile::Serialize(parsed);
    CRegistryData again;
    if (FAILED(CRegistryFile::Parse(written, "fuzz.reg", again, error))) std::abort();
    if (!(again == parsed) || CRegistryFile::Serialize(again) != written) std::abort();
    return 0;
}
