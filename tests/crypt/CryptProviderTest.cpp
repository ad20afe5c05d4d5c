#include "crypt/CryptProvider.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const char kPassphrase[] = "{5E1A7C3B-9D24-4F60-8B1E-2C7A90D4F316}";

// The first key-stream bytes for kPassphrase, worked out apart from this code:
// MD5 of the 38 bytes is 0d56fba60b..., RC4 keyed with 0d 56 fb a6 0b and
// eleven zero bytes.
const BYTE kKeyStream[16] = {0x94, 0x69, 0xFE, 0x1A, 0xE7, 0xF7, 0xC8, 0x6B,
                             0x98, 0xF5, 0x8D, 0x9C, 0x0F, 0x87, 0x9B, 0x61};

HCRYPTPROV Acquire()
{
    HCRYPTPROV prov = 0;
    EXPECT_TRUE(CryptAcquireContextA(&prov, nullptr, MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
    return prov;
}

HCRYPTKEY DeriveFrom(HCRYPTPROV prov, const char* passphrase)
{
    HCRYPTHASH hash = 0;
    HCRYPTKEY key = 0;
    EXPECT_TRUE(CryptCreateHash(prov, CALG_MD5, 0, 0, &hash));
    EXPECT_TRUE(CryptHashData(hash, reinterpret_cast<const BYTE*>(passphrase), DWORD(std::strlen(passphrase)), 0));
    EXPECT_TRUE(CryptDeriveKey(prov, CALG_RC4, hash, CRYPT_EXPORTABLE, &key));
    EXPECT_TRUE(CryptDestroyHash(hash));
    return key;
}

std::vector<BYTE> Zeros(std::size_t n) { return std::vector<BYTE>(n, 0); }

} // namespace

TEST(CryptProvider, KeyFromPassphraseGivesTheKnownKeyStream)
{
    const HCRYPTPROV prov = Acquire();
    const HCRYPTKEY key = DeriveFrom(prov, kPassphrase);
    std::vector<BYTE> data = Zeros(16);
    DWORD length = 16;
    ASSERT_TRUE(CryptDecrypt(key, 0, TRUE, 0, data.data(), &length));
    EXPECT_EQ(length, 16u);
    EXPECT_EQ(data, std::vector<BYTE>(kKeyStream, kKeyStream + 16));
    EXPECT_TRUE(CryptDestroyKey(key));
    EXPECT_TRUE(CryptReleaseContext(prov, 0));
}

TEST(CryptProvider, KeyKeepsItsStreamPositionAndANewKeyStartsOver)
{
    const HCRYPTPROV prov = Acquire();
    const HCRYPTKEY first = DeriveFrom(prov, kPassphrase);
    std::vector<BYTE> head = Zeros(5), tail = Zeros(11);
    DWORD headLength = 5, tailLength = 11;
    ASSERT_TRUE(CryptDecrypt(first, 0, FALSE, 0, head.data(), &headLength));
    ASSERT_TRUE(CryptEncrypt(first, 0, TRUE, 0, tail.data(), &tailLength, 11));
    EXPECT_EQ(head, std::vector<BYTE>(kKeyStream, kKeyStream + 5));
    EXPECT_EQ(tail, std::vector<BYTE>(kKeyStream + 5, kKeyStream + 16));

    const HCRYPTKEY second = DeriveFrom(prov, kPassphrase);
    std::vector<BYTE> again = Zeros(5);
    ASSERT_TRUE(CryptDecrypt(second, 0, TRUE, 0, again.data(), &headLength));
    EXPECT_EQ(again, head);

    CryptDestroyKey(first);
    CryptDestroyKey(second);
    CryptReleaseContext(prov, 0);
}

TEST(CryptProvider, OnlyTheBaseProviderWithMd5AndRc4)
{
    HCRYPTPROV prov = 0;
    EXPECT_FALSE(CryptAcquireContextA(&prov, nullptr, "Some Other Provider", PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
    EXPECT_FALSE(CryptAcquireContextA(&prov, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
    EXPECT_FALSE(CryptAcquireContextA(&prov, nullptr, MS_DEF_PROV_A, 24, CRYPT_VERIFYCONTEXT));
    EXPECT_EQ(prov, 0u);
    ASSERT_TRUE(CryptAcquireContextA(&prov, nullptr, MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_NEWKEYSET));

    HCRYPTHASH hash = 0;
    EXPECT_FALSE(CryptCreateHash(prov, CALG_RC4, 0, 0, &hash));
    ASSERT_TRUE(CryptCreateHash(prov, CALG_MD5, 0, 0, &hash));
    HCRYPTKEY key = 0;
    EXPECT_FALSE(CryptDeriveKey(prov, CALG_MD5, hash, 0, &key));
    EXPECT_FALSE(CryptDeriveKey(prov, CALG_RC4, hash, 128u << 16, &key));
    EXPECT_EQ(key, 0u);
    CryptDestroyHash(hash);
    CryptReleaseContext(prov, 0);
}

// The caller still owns the hash after deriving, so a second key from it is
// the same key; naming the provider's own 40-bit length is the default.
TEST(CryptProvider, HashStaysUsableAndTheDefaultLengthMayBeNamed)
{
    const HCRYPTPROV prov = Acquire();
    HCRYPTHASH hash = 0;
    ASSERT_TRUE(CryptCreateHash(prov, CALG_MD5, 0, 0, &hash));
    ASSERT_TRUE(CryptHashData(hash, reinterpret_cast<const BYTE*>(kPassphrase), DWORD(std::strlen(kPassphrase)), 0));
    for (const DWORD flags : {DWORD(CRYPT_EXPORTABLE), DWORD(40u << 16), DWORD(40u << 16 | CRYPT_EXPORTABLE)}) {
        HCRYPTKEY key = 0;
        ASSERT_TRUE(CryptDeriveKey(prov, CALG_RC4, hash, flags, &key)) << flags;
        std::vector<BYTE> data = Zeros(16);
        DWORD length = 16;
        ASSERT_TRUE(CryptDecrypt(key, 0, TRUE, 0, data.data(), &length));
        EXPECT_EQ(data, std::vector<BYTE>(kKeyStream, kKeyStream + 16)) << flags;
        CryptDestroyKey(key);
    }
    CryptDestroyHash(hash);
    CryptReleaseContext(prov, 0);
}

TEST(CryptProvider, StaleUnknownAndMismatchedHandlesFail)
{
    const HCRYPTPROV prov = Acquire();
    const HCRYPTKEY key = DeriveFrom(prov, kPassphrase);
    HCRYPTHASH hash = 0;
    ASSERT_TRUE(CryptCreateHash(prov, CALG_MD5, 0, 0, &hash));
    BYTE byte = 0;
    DWORD length = 1;

    // A handle of one kind passed where another is expected.
    EXPECT_FALSE(CryptDecrypt(hash, 0, TRUE, 0, &byte, &length));
    EXPECT_FALSE(CryptHashData(key, &byte, 1, 0));
    EXPECT_FALSE(CryptReleaseContext(key, 0));
    HCRYPTKEY derived = 0;
    EXPECT_FALSE(CryptDeriveKey(key, CALG_RC4, hash, 0, &derived));
    EXPECT_FALSE(CryptDeriveKey(prov, CALG_RC4, key, 0, &derived));

    // Null, made-up and already destroyed handles.
    EXPECT_FALSE(CryptDecrypt(0, 0, TRUE, 0, &byte, &length));
    EXPECT_FALSE(CryptDestroyKey(0xDEADBEEF));
    EXPECT_FALSE(CryptCreateHash(0, CALG_MD5, 0, 0, &hash));
    EXPECT_EQ(hash, 0u);
    EXPECT_TRUE(CryptDestroyKey(key));
    EXPECT_FALSE(CryptDestroyKey(key));
    EXPECT_FALSE(CryptEncrypt(key, 0, TRUE, 0, &byte, &length, 1));
    EXPECT_TRUE(CryptReleaseContext(prov, 0));
    EXPECT_FALSE(CryptReleaseContext(prov, 0));

    // Null out-pointers and a buffer too small for the data.
    EXPECT_FALSE(CryptAcquireContextA(nullptr, nullptr, MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
    EXPECT_FALSE(CryptDecrypt(key, 0, TRUE, 0, &byte, nullptr));
    const HCRYPTPROV other = Acquire();
    const HCRYPTKEY live = DeriveFrom(other, kPassphrase);
    length = 2;
    EXPECT_FALSE(CryptEncrypt(live, 0, TRUE, 0, &byte, &length, 1));
    CryptDestroyKey(live);
    CryptReleaseContext(other, 0);
}
