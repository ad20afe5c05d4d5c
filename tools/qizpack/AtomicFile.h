#pragma once
// CAtomicFile: writes a file so that it is either whole or not there. The
// bytes go to a temporary file beside the target, which is renamed over the
// target once everything is written; a failure, or an object that goes
// without Commit, removes the temporary file and leaves the target as it was.
#include <string>
#include <string_view>

class CAtomicFile {
public:
    explicit CAtomicFile(std::string path) : m_path(std::move(path)) {}
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Writes all the bytes and renames them into place; false, with Error()
    // saying why, when any step fails.
    bool Commit(std::string_view bytes);
    const std::string& Error() const { return m_error; }

private:
    bool Fail(const char* step);

    std::string m_path;
    std::string m_temporary;  // while it exists
    std::string m_error;
};
