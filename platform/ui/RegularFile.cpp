#include "ui/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CRegularFile::CRegularFile(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY))
{
    if (m_fd < 0) {
        m_error = std::strerror(errno);
        return;
    }
    struct stat info;
    if (::fstat(m_fd, &info) != 0) {
        m_error = std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        m_error = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
    } else {
        m_size = static_cast<std::uint64_t>(info.st_size);
        return;
    }
    ::close(m_fd);
    m_fd = -1;
}

CRegularFile::~CRegularFile()
{
    if (m_fd >= 0) ::close(m_fd);
}

bool CRegularFile::Fail(std::string error)
{
    m_error = std::move(error);
    return false;
}

bool CRegularFile::CheckSize(std::uint64_t largest)
{
    return m_size <= largest || Fail("it is larger than " + DescribeSize(largest));
}

bool CRegularFile::ReadExactly(void* data, std::size_t count)
{
    auto* into = static_cast<char*>(data);
    for (std::size_t done = 0; done < count;) {
        const ssize_t got = ::read(m_fd, into + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return Fail(got < 0 ? std::strerror(errno) : "it got shorter while it was read");
        done += static_cast<std::size_t>(got);
    }
    return true;
}

std::string DescribeSize(std::uint64_t bytes)
{
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
    if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

bool ReadRegularFile(const std::string& path, std::uint64_t largest, std::string& bytes, std::string& error)
{
    bytes.clear();
    CRegularFile file(path);
    bool read = file.IsOpen() && file.CheckSize(largest);
    if (read) {
        try {
            bytes.resize(static_cast<std::size_t>(file.Size()));
        } catch (const std::bad_alloc&) {
            error = "there is not enough memory to read it";
            return false;
        }
        read = file.ReadExactly(bytes.data(), bytes.size());
    }
    if (!read) {
        bytes.clear();
        error = file.Error();
    }
    return read;
}
