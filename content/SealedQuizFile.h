#pragma once
// Writes a user quiz file: the plain document enciphered as the authoring
// tool seals it, so that the game and the tool read it like any other.
#include <string>
#include <string_view>

// Seals `plain` (stored form, 8-bit) into `sealed`; false when the cipher
// fails.
bool SealQuizText(std::string_view plain, std::string& sealed);

// Writes `bytes` to `path` (UTF-8) through a temporary file beside it that
// is renamed over the path only once the whole file is written: a failure
// leaves whatever was there before and no partial file. False with the
// reason in `error` when it fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error);

// Seals `plain` and writes it as WriteWholeFile does.
bool WriteSealedQuizFile(const std::string& path, std::string_view plain, std::string& error);
