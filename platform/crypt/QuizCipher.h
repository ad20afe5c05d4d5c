#pragma once
// CQuizCipher: deciphers (and, for the authoring tool, enciphers) a user quiz
// file with RC4 under the key derived from a passphrase. One object serves one
// file.
#include "crypt/CryptProvider.h"

#include <string>
#include <string_view>

class CQuizCipher {
public:
    // `provider` names the provider to acquire; tests pass an unknown one.
    explicit CQuizCipher(const char* provider = MS_DEF_PROV_A);
    virtual ~CQuizCipher();
    CQuizCipher(const CQuizCipher&) = delete;
    CQuizCipher& operator=(const CQuizCipher&) = delete;

    // True when the data were deciphered; the plain text is then Output(). A
    // provider that cannot be acquired reports itself through
    // OnProviderMissing before the step fails.
    bool Decipher(const char* passphrase, const BYTE* data, DWORD length);
    // The same key stream run over plain text.
    bool Encipher(const char* passphrase, const BYTE* data, DWORD length);

    const BYTE* Output() const { return m_pbOutput; }
    // The bytes produced (the buffer itself is 1 to 8 bytes longer).
    DWORD OutputLength() const { return m_cbData; }
    // The size of the buffer behind Output(); its spare bytes are zero.
    DWORD OutputBufferSize() const { return m_cbOutput; }

protected:
    // Called when neither way of acquiring the provider works; the game shows
    // its "Error #111" text here.
    virtual void OnProviderMissing() {}
    // Hashes the passphrase and derives the RC4 key into m_hKey; false when
    // there is no provider or any call fails. Virtual so that a test can make
    // the derivation fail.
    virtual bool DeriveKey(const char* passphrase);

private:
    // Acquire, derive, run the key stream, release: the steps both directions
    // share.
    bool Run(const char* passphrase, const BYTE* data, DWORD length, bool encipher);
    // Copies the data into a fresh output buffer and runs the key stream over
    // it; RC4 is symmetric, so `encipher` only picks the provider call.
    bool DecryptBuffer(const BYTE* data, DWORD length, bool encipher);
    void FreeOutput();

    DWORD m_cbOutput = 0;
    BYTE* m_pbOutput = nullptr;
    HCRYPTPROV m_hProv = 0;
    HCRYPTKEY m_hKey = 0;
    HCRYPTHASH m_hHash = 0;
    const char* m_provider;
    DWORD m_cbData = 0;
};

// The fixed identifier whose registry text is the passphrase of every user
// quiz file.
constexpr GUID QUIZ_FILE_KEY_ID = {0x5E1A7C3B, 0x9D24, 0x4F60, {0x8B, 0x1E, 0x2C, 0x7A, 0x90, 0xD4, 0xF3, 0x16}};
