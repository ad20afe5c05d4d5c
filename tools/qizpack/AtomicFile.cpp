#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CAtomicFile::~CAtomicFile()
{
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
}

bool CAtomicFile::Fail(const char* step)
{
    m_error = std::string(step) + ": " + std::strerror(errno);
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
    m_temporary.clear();
    return false;
}

bool CAtomicFile::Commit(std::string_view bytes)
{
    const size_t slash = m_path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : m_path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? m_path : m_path.substr(slash + 1);
    std::vector<char> pattern;
    const std::string text = folder + "." + name + ".XXXXXX";
    pattern.assign(text.begin(), text.end());
    pattern.push_back('\0');
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return Fail("can't create a file there");
    m_temporary = pattern.data();

    // mkstemp makes the file private; the result gets what any new file would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool written = ::fchmod(fd, 0666 & ~mask) == 0;
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) continue;
        written = count > 0;
        if (written) done += static_cast<size_t>(count);
    }
    written = written && ::fsync(fd) == 0;
    const int saved = errno;
    if (::close(fd) != 0 && written) return Fail("can't write");
    errno = saved;
    if (!written) return Fail("can't write");
    if (::rename(m_temporary.c_str(), m_path.c_str()) != 0) return Fail("can't replace it");
    m_temporary.clear();
    return true;
}
