#pragma once
// CRegularFile: reads a file that a user, or a file a user handed us, names.
// Only a regular file opens: a folder can't be read, a named pipe would hold
// the caller until someone wrote to it, and a device such as /dev/zero never
// ends. The open never blocks (NONBLOCK, which a regular file's reads ignore),
// and the size is known before a byte is read, so a caller refuses what is
// too large by its size rather than by running out of memory.
//
// Failures come back as false with the reason in words, for a message that
// names the file ("it is a folder", "it is larger than 50 MB", the system's
// own text). Not for files that may change size while read: a file that gets
// shorter is a failure.
#include <cstddef>
#include <cstdint>
#include <string>

class CRegularFile {
public:
    // Opens `path` for reading; IsOpen() tells whether it opened.
    explicit CRegularFile(const std::string& path);
    ~CRegularFile();
    CRegularFile(const CRegularFile&) = delete;
    CRegularFile& operator=(const CRegularFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // Why the file did not open or read, in words.
    const std::string& Error() const { return m_error; }
    // The size when it was opened, in bytes.
    std::uint64_t Size() const { return m_size; }
    // Fills `data` with the next `count` bytes; false when a read fails or
    // the file ends first.
    bool ReadExactly(void* data, std::size_t count);
    // Sets Error() to "it is larger than <largest in words>" and returns
    // false when the file is larger than `largest` bytes.
    bool CheckSize(std::uint64_t largest);

private:
    bool Fail(std::string error);

    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::string m_error;
};

// A size in words for messages: "50 MB", "64 KB" or "100 bytes".
std::string DescribeSize(std::uint64_t bytes);

// The whole of the regular file at `path` when it is no larger than
// `largest` bytes; otherwise false with the reason in `error`.
bool ReadRegularFile(const std::string& path, std::uint64_t largest, std::string& bytes, std::string& error);
