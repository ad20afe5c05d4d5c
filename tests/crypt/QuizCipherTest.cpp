#include "crypt/QuizCipher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Passphrase() { return GuidToString(QUIZ_FILE_KEY_ID); }

std::vector<BYTE> Text(std::size_t length)
{
    std::vector<BYTE> text(length);
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<BYTE>('A' + i % 26);
    return text;
}

std::vector<BYTE> Output(const CQuizCipher& cipher)
{
    return std::vector<BYTE>(cipher.Output(), cipher.Output() + cipher.OutputLength());
}

class MissingProviderCipher : public CQuizCipher {
public:
    MissingProviderCipher() : CQuizCipher("No Such Provider v0.1") {}
    int m_nReports = 0;

protected:
    void OnProviderMissing() override { ++m_nReports; }
};

class FailingDerivationCipher : public CQuizCipher {
protected:
    bool DeriveKey(const char*) override { return false; }
};

} // namespace

TEST(QuizCipher, PassphraseIsTheIdentifierInRegistryForm)
{
    EXPECT_EQ(Passphrase(), "{5E1A7C3B-9D24-4F60-8B1E-2C7A90D4F316}");
}

TEST(QuizCipher, EncipheringZerosYieldsTheProviderKeyStream)
{
    const BYTE expected[8] = {0x94, 0x69, 0xFE, 0x1A, 0xE7, 0xF7, 0xC8, 0x6B};
    CQuizCipher cipher;
    ASSERT_TRUE(cipher.Encipher(Passphrase().c_str(), std::vector<BYTE>(8, 0).data(), 8));
    EXPECT_EQ(Output(cipher), std::vector<BYTE>(expected, expected + 8));
}

TEST(QuizCipher, RoundTripForEveryLengthModuloEight)
{
    for (DWORD length : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 12u, 13u, 14u, 15u, 16u, 17u, 4096u}) {
        SCOPED_TRACE(length);
        const std::vector<BYTE> plain = Text(length);
        CQuizCipher sealer;
        ASSERT_TRUE(sealer.Encipher(Passphrase().c_str(), plain.data(), length));
        const std::vector<BYTE> sealed = Output(sealer);
        if (length) {
            EXPECT_NE(sealed, plain);
        }

        // A fresh object for each file, as the game does.
        CQuizCipher opener;
        ASSERT_TRUE(opener.Decipher(Passphrase().c_str(), sealed.data(), length));
        EXPECT_EQ(Output(opener), plain);
        EXPECT_EQ(opener.OutputBufferSize(), length + 8 - length % 8);
        for (DWORD i = length; i < opener.OutputBufferSize(); ++i) EXPECT_EQ(opener.Output()[i], 0) << i;
    }
}

TEST(QuizCipher, ReusedObjectStartsTheStreamAgain)
{
    const std::vector<BYTE> plain = Text(20);
    CQuizCipher cipher;
    ASSERT_TRUE(cipher.Encipher(Passphrase().c_str(), plain.data(), 20));
    const std::vector<BYTE> first = Output(cipher);
    ASSERT_TRUE(cipher.Encipher(Passphrase().c_str(), plain.data(), 20));
    EXPECT_EQ(Output(cipher), first);
}

TEST(QuizCipher, ZeroByteInsideThePlainTextIsKept)
{
    const std::vector<BYTE> plain = {'<', 'a', 0, 'b', '>'};
    CQuizCipher sealer, opener;
    ASSERT_TRUE(sealer.Encipher(Passphrase().c_str(), plain.data(), 5));
    ASSERT_TRUE(opener.Decipher(Passphrase().c_str(), sealer.Output(), 5));
    EXPECT_EQ(opener.OutputLength(), 5u);
    EXPECT_EQ(Output(opener), plain);
}

TEST(QuizCipher, WrongPassphraseGivesOtherText)
{
    const std::vector<BYTE> plain = Text(16);
    CQuizCipher sealer, opener;
    ASSERT_TRUE(sealer.Encipher(Passphrase().c_str(), plain.data(), 16));
    ASSERT_TRUE(opener.Decipher("{00000000-0000-0000-0000-000000000000}", sealer.Output(), 16));
    EXPECT_NE(Output(opener), plain);
}

TEST(QuizCipher, UnknownProviderIsReportedOnceAndFails)
{
    const std::vector<BYTE> data = Text(8);
    MissingProviderCipher cipher;
    EXPECT_FALSE(cipher.Decipher(Passphrase().c_str(), data.data(), 8));
    EXPECT_EQ(cipher.m_nReports, 1);
    EXPECT_EQ(cipher.Output(), nullptr);
    EXPECT_EQ(cipher.OutputLength(), 0u);
}

TEST(QuizCipher, FailedDerivationFailsWithoutOutput)
{
    const std::vector<BYTE> data = Text(8);
    FailingDerivationCipher cipher;
    EXPECT_FALSE(cipher.Decipher(Passphrase().c_str(), data.data(), 8));
    EXPECT_EQ(cipher.Output(), nullptr);
    EXPECT_EQ(cipher.OutputBufferSize(), 0u);
}

TEST(QuizCipher, MissingInputsFail)
{
    CQuizCipher cipher;
    EXPECT_FALSE(cipher.Decipher(nullptr, Text(4).data(), 4));
    EXPECT_FALSE(cipher.Decipher(Passphrase().c_str(), nullptr, 4));
    EXPECT_EQ(cipher.Output(), nullptr);
}
