#pragma once
// The commands of qizpack, the tool for people who write quizzes. Each
// returns the process exit status: 0 on success, 1 on failure, with the
// game's own error texts on standard error.
#include <string>

int SealCommand(const std::string& documentPath, const std::string& outputPath);
int OpenCommand(const std::string& quizFilePath);
int ListCommand(const std::string& quizFilePath);
int ShowCommand(const std::string& quizFilePath, const std::string& number);
int CheckCommand(const std::string& path);
