// The user quiz lister over arbitrary file bytes: decipher, parse, list.
#include "UserQuizFile.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace {

class CDiscardingSink : public IUserQuizSink {
public:
    void Clear() override {}
    bool AddEntry(const std::string& title, const std::string& document) override
    {
        return !title.empty() || !document.empty();
    }
    void ShowMessage(const std::string&, Box) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/fuzz_quizfile." + std::to_string(getpid()) + ".qiz";
    if (size == 0) return 0;
    // An odd first byte stores the rest as it is; an even one seals it first,
    // so that the fuzzer also explores documents that decipher cleanly.
    const bool seal = (data[0] & 1) == 0;
    ++data;
    --size;
    CQuizCipher cipher;
    std::string passphrase;
    if (seal && CUserQuizFile::Passphrase(passphrase) &&
        cipher.Encipher(passphrase.c_str(), data, static_cast<DWORD>(size)))
        data = cipher.Output();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    CDiscardingSink sink;
    CUserQuizFile(sink).LoadQuizFile(path);
    return 0;
}
