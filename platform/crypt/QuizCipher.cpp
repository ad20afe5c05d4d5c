#include "crypt/QuizCipher.h"

#include <cstring>
#include <limits>
#include <new>

CQuizCipher::CQuizCipher(const char* provider)
    : m_provider(provider)
{
}

CQuizCipher::~CQuizCipher()
{
    FreeOutput();
}

bool CQuizCipher::Decipher(const char* passphrase, const BYTE* data, DWORD length)
{
    return Run(passphrase, data, length, false);
}

bool CQuizCipher::Encipher(const char* passphrase, const BYTE* data, DWORD length)
{
    return Run(passphrase, data, length, true);
}

bool CQuizCipher::Run(const char* passphrase, const BYTE* data, DWORD length, bool encipher)
{
    if (!CryptAcquireContextA(&m_hProv, nullptr, m_provider, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)
        && !CryptAcquireContextA(&m_hProv, nullptr, m_provider, PROV_RSA_FULL, CRYPT_NEWKEYSET)) {
        // Reported, then carried on: DeriveKey fails for want of a provider.
        m_hProv = 0;
        OnProviderMissing();
    }

    const bool done = DeriveKey(passphrase) && m_hKey && DecryptBuffer(data, length, encipher);

    if (m_hKey) CryptDestroyKey(m_hKey);
    m_hKey = 0;
    if (m_hProv) CryptReleaseContext(m_hProv, 0);
    m_hProv = 0;
    return done;
}

bool CQuizCipher::DeriveKey(const char* passphrase)
{
    if (!m_hProv || !passphrase) return false;
    if (m_hKey) CryptDestroyKey(m_hKey);
    m_hKey = 0;

    if (!CryptCreateHash(m_hProv, CALG_MD5, 0, 0, &m_hHash)) return false;
    const bool derived =
        CryptHashData(m_hHash, reinterpret_cast<const BYTE*>(passphrase), static_cast<DWORD>(std::strlen(passphrase)), 0)
        && CryptDeriveKey(m_hProv, CALG_RC4, m_hHash, CRYPT_EXPORTABLE, &m_hKey);
    CryptDestroyHash(m_hHash);
    m_hHash = 0;
    return derived;
}

bool CQuizCipher::DecryptBuffer(const BYTE* data, DWORD length, bool encipher)
{
    FreeOutput();
    if (!data && length) return false;
    // Always 1 to 8 bytes more than the data, so the text that comes out is
    // followed by at least one zero byte.
    if (length > std::numeric_limits<DWORD>::max() - 8) return false;
    const DWORD size = length + 8 - length % 8;
    m_pbOutput = new (std::nothrow) BYTE[size];
    if (!m_pbOutput) return false;
    m_cbOutput = size;
    if (length) std::memcpy(m_pbOutput, data, length);
    std::memset(m_pbOutput + length, 0, size - length);

    DWORD produced = length;
    const BOOL ok = encipher ? CryptEncrypt(m_hKey, 0, TRUE, 0, m_pbOutput, &produced, size)
                             : CryptDecrypt(m_hKey, 0, TRUE, 0, m_pbOutput, &produced);
    if (!ok) {
        FreeOutput();
        return false;
    }
    m_cbData = produced;
    return true;
}

void CQuizCipher::FreeOutput()
{
    delete[] m_pbOutput;
    m_pbOutput = nullptr;
    m_cbOutput = 0;
    m_cbData = 0;
}
