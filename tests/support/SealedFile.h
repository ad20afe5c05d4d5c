#pragma once
// Writes user quiz files the way the authoring tool seals them.
#include "UserQuizFile.h"

#include <filesystem>
#include <fstream>
#include <string>

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Seal(const std::string& plain)
{
    std::string passphrase;
    CUserQuizFile::Passphrase(passphrase);
    CQuizCipher cipher;
    cipher.Encipher(passphrase.c_str(), reinterpret_cast<const BYTE*>(plain.data()), static_cast<DWORD>(plain.size()));
    return std::string(reinterpret_cast<const char*>(cipher.Output()), cipher.OutputLength());
}

inline void WriteSealed(const std::filesystem::path& path, const std::string& plain) { WriteBytes(path, Seal(plain)); }
