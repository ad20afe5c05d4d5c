#pragma once
// The cryptographic provider: MD5 hashing and RC4 keys derived from a hash,
// over nettle. Handles are opaque numbers; 0 is none.
#include "com/ComTypes.h"

#include <cstdint>

using HCRYPTPROV = std::uintptr_t;
using HCRYPTKEY = std::uintptr_t;
using HCRYPTHASH = std::uintptr_t;
using ALG_ID = unsigned int;

constexpr DWORD PROV_RSA_FULL = 1;
constexpr DWORD CRYPT_VERIFYCONTEXT = 0xF0000000;
constexpr DWORD CRYPT_NEWKEYSET = 0x8;
constexpr DWORD CRYPT_EXPORTABLE = 0x1;
constexpr ALG_ID CALG_MD5 = 32771;
constexpr ALG_ID CALG_RC4 = 26625;
inline constexpr const char* MS_DEF_PROV_A = "Microsoft Base Cryptographic Provider v1.0";

// Acquiring succeeds only for the provider MS_DEF_PROV_A of type PROV_RSA_FULL.
BOOL CryptAcquireContextA(HCRYPTPROV* prov, const char* container, const char* provider, DWORD type, DWORD flags);
BOOL CryptReleaseContext(HCRYPTPROV prov, DWORD flags);
BOOL CryptCreateHash(HCRYPTPROV prov, ALG_ID alg, HCRYPTKEY key, DWORD flags, HCRYPTHASH* hash);
BOOL CryptHashData(HCRYPTHASH hash, const BYTE* data, DWORD length, DWORD flags);
BOOL CryptDestroyHash(HCRYPTHASH hash);
// The provider's rule for RC4 from an MD5 hash at the default length: a 40-bit
// key of the first 5 digest bytes salted with 11 zero bytes, so RC4 is keyed
// with 16 bytes.
BOOL CryptDeriveKey(HCRYPTPROV prov, ALG_ID alg, HCRYPTHASH hash, DWORD flags, HCRYPTKEY* key);
BOOL CryptDestroyKey(HCRYPTKEY key);
// RC4 is a stream cipher: both run the key stream over the data in place.
BOOL CryptEncrypt(HCRYPTKEY key, HCRYPTHASH hash, BOOL final, DWORD flags, BYTE* data, DWORD* length, DWORD bufferLength);
BOOL CryptDecrypt(HCRYPTKEY key, HCRYPTHASH hash, BOOL final, DWORD flags, BYTE* data, DWORD* length);
