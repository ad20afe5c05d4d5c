#include "crypt/CryptProvider.h"

#include <cstring>
#include <map>
#include <mutex>

#include <nettle/arcfour.h>
#include <nettle/md5.h>

namespace {

struct Provider {};

struct Hash {
    md5_ctx md5;
};

struct Key {
    arcfour_ctx rc4; // carries the stream position from one call to the next
};

// Handles are numbers looked up in these tables rather than pointers, so that
// a stale or made-up handle fails instead of touching freed memory. All three
// kinds draw from one counter, so a handle of one kind never names another.
struct HandleTables {
    std::mutex mutex;
    std::uintptr_t lastHandle = 0;
    std::map<std::uintptr_t, Provider> providers;
    std::map<std::uintptr_t, Hash> hashes;
    std::map<std::uintptr_t, Key> keys;
};

HandleTables& Tables()
{
    static HandleTables tables;
    return tables;
}

template <typename T>
T* Find(std::map<std::uintptr_t, T>& table, std::uintptr_t handle)
{
    const auto it = table.find(handle);
    return it == table.end() ? nullptr : &it->second;
}

template <typename T>
BOOL Destroy(std::map<std::uintptr_t, T>& table, std::uintptr_t handle)
{
    return table.erase(handle) ? TRUE : FALSE;
}

// The provider's key length when the caller leaves it to the provider.
constexpr std::size_t kDefaultKeyBytes = 5;
constexpr std::size_t kRc4KeyBytes = 16;

BOOL RunKeyStream(HCRYPTKEY key, HCRYPTHASH hash, BYTE* data, DWORD length)
{
    // Hashing alongside the cipher is not offered by this provider.
    if (hash != 0 || (length && !data)) return FALSE;
    HandleTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    Key* found = Find(tables.keys, key);
    if (!found) return FALSE;
    arcfour_crypt(&found->rc4, length, data, data);
    return TRUE;
}

} // namespace

BOOL CryptAcquireContextA(HCRYPTPROV* prov, const char*, const char* provider, DWORD type, DWORD flags)
{
    if (!prov) return FALSE;
    *prov = 0;
    if (!provider || std::strcmp(provider, MS_DEF_PROV_A) != 0 || type != PROV_RSA_FULL) return FALSE;
    if (flags != CRYPT_VERIFYCONTEXT && flags != CRYPT_NEWKEYSET) return FALSE;
    HandleTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    *prov = ++tables.lastHandle;
    tables.providers.emplace(*prov, Provider{});
    return TRUE;
}

BOOL CryptReleaseContext(HCRYPTPROV prov, DWORD)
{
    HandleTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    return Destroy(tables.providers, prov);
}

BOOL CryptCreateHash(HCRYPTPROV prov, ALG_ID alg, HCRYPTKEY key, DWORD, HCRYPTHASH* hash)
{
    if (!hash) return FALSE;
    *hash = 0;
    if (alg != CALG_MD5 || key != 0) return FALSE;
    HandleTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    if (!Find(tables.providers, prov)) return FALSE;
    Hash created;
    md5_init(&created.md5);
    *hash = ++tables.lastHandle;
    tables.hashes.emplace(*hash, created);
    return TRUE;
}

BOOL CryptHashData(HCRYPTHASH hash, const BYTE* data, DWORD length, DWORD)
{
    if (length && !data) return FALSE;
    HandleTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    Hash* found = Find(tables.hashes, hash);
    if (!found) return FALSE;
    md5_update(&found->md5, length, data);
    return TRUE;
}

BOOL CryptDestroyHash(HCRYPTHASH hash)
{
    HandleTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    return Destroy(tables.hashes, hash);
}

BOOL CryptDeriveKey(HCRYPTPROV prov, ALG_ID alg, HCRYPTHASH hash, DWORD flags, HCRYPTKEY* key)
{
    if (!key) return FALSE;
    *key = 0;
    // The upper half of the flags asks for a key length in bits; only the
    // provider's default of 40 is implemented.
    const DWORD bits = flags >> 16;
    if (alg != CALG_RC4 || (bits != 0 && bits != kDefaultKeyBytes * 8) || (flags & 0xFFFF & ~CRYPT_EXPORTABLE))
        return FALSE;
    HandleTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    Hash* found = Find(tables.hashes, hash);
    if (!found || !Find(tables.providers, prov)) return FALSE;

    // Finishing a copy leaves the hash usable, as the caller still owns it.
    md5_ctx finished = found->md5;
    BYTE digest[MD5_DIGEST_SIZE];
    md5_digest(&finished, sizeof digest, digest);
    BYTE material[kRc4KeyBytes] = {};
    std::memcpy(material, digest, kDefaultKeyBytes); // the rest is the zero salt

    Key created;
    arcfour_set_key(&created.rc4, sizeof material, material);
    *key = ++tables.lastHandle;
    tables.keys.emplace(*key, created);
    return TRUE;
}

BOOL CryptDestroyKey(HCRYPTKEY key)
{
    HandleTables& tables = Tables();
    std::lock_guard lock(tables.mutex);
    return Destroy(tables.keys, key);
}

BOOL CryptEncrypt(HCRYPTKEY key, HCRYPTHASH hash, BOOL, DWORD, BYTE* data, DWORD* length, DWORD bufferLength)
{
    if (!length || *length > bufferLength) return FALSE;
    return RunKeyStream(key, hash, data, *length);
}

BOOL CryptDecrypt(HCRYPTKEY key, HCRYPTHASH hash, BOOL, DWORD, BYTE* data, DWORD* length)
{
    if (!length) return FALSE;
    return RunKeyStream(key, hash, data, *length);
}
