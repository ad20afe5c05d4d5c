#pragma once
// The commands of qizpack, the tool for people who write quizzes. Each
// returns the process exit status: 0 on success, 1 on failure, with the
// game's own error texts on standard error.
#include <cstdint>
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

struct ImportOptions {
    std::string format;  // "csv", "tsv" or "kvtml"; empty: told by the input's name
    std::string title;   // empty: the vocabulary's own title, else the input's name
    std::string round;   // for rows and entries without one; empty: the input's name
    bool header = false; // the table's first row is a header whatever it holds
    int questionId = 0;  // KVTML identifiers of the question and the answer
    int answerId = 1;
    std::uint32_t seed = 1;  // draws the wrong options of a vocabulary
};

// Turns a table or a vocabulary into a quiz document, or straight into a
// sealed user quiz file when the output's name ends in .qiz. The output is
// written whole or not at all.
int ImportCommand(const std::string& inputPath, const std::string& outputPath, const ImportOptions& options);
