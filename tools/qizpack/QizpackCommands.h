#pragma once
// The commands of qizpack, the tool for people who write quizzes. Each
// returns the process exit status: 0 on success, 1 on failure, with the
// game's own error texts on standard error.
#include <string>

int SealCommand(const std::string& documentPath, const std::string& outputPath);
int OpenCommand(const std::string& quizFilePath);
int ListCommand(const std::string& quizFilePath);
int ShowCommand(const std::string& quizFilePath, const std::string& number);
// With a book name, Picture numbers are also checked against that book.
int CheckCommand(const std::string& path, const std::string& bookProgId);
// The document the named quiz book serves, in the stored form; with `embed`
// its pictures travel inside it.
int ExportCommand(const std::string& progId, bool embed);
