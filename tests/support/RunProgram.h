#pragma once
// Runs one of the built programs and captures what it printed.
#include "TestEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// `arguments` is passed to the shell as it stands: quote what needs quoting.
inline ProgramResult RunProgram(const TestEnvironment& env, const std::string& program, const std::string& arguments)
{
    const std::filesystem::path out = env.Dir() / "stdout", err = env.Dir() / "stderr";
    const std::string command = (TestEnvironment::BinDir() / program).string() + " " + arguments + " >" +
                                out.string() + " 2>" + err.string();
    const int raw = std::system(command.c_str());
    ProgramResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadWholeFile(out);
    result.err = ReadWholeFile(err);
    return result;
}
