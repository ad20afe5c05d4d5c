#include "com/Registry.h"

#include "com/RegistryFile.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::atomic<void (*)()> g_beforeReplaceHook{nullptr};

void SetError(std::string* error, std::string text)
{
    if (error) *error = std::move(text);
}

std::string SystemError(const fs::path& path, std::string_view what)
{
    return path.string() + ": " + std::string(what) + ": " + std::strerror(errno);
}

// A file descriptor that closes itself; closing the lock file releases the
// lock, also when the process dies.
class CFileHandle {
public:
    explicit CFileHandle(int fd) : m_fd(fd) {}
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    ~CFileHandle() { if (m_fd >= 0) ::close(m_fd); }
    int get() const { return m_fd; }
    int Release() { const int fd = m_fd; m_fd = -1; return fd; }

private:
    int m_fd;
};

// Reads the whole file; a missing file reads as empty text.
HRESULT ReadText(const fs::path& path, std::string& text, std::string* error)
{
    text.clear();
    CFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT) return S_OK;
        SetError(error, SystemError(path, "cannot open"));
        return REGDB_E_READREGDB;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            SetError(error, SystemError(path, "cannot read"));
            return REGDB_E_READREGDB;
        }
        if (got == 0) return S_OK;
        text.append(buffer, static_cast<size_t>(got));
    }
}

HRESULT ReadData(const fs::path& path, CRegistryData& data, std::string* error)
{
    std::string text;
    if (const HRESULT hr = ReadText(path, text, error); FAILED(hr)) return hr;
    std::string parseError;
    const HRESULT hr = CRegistryFile::Parse(text, path.filename().string(), data, parseError);
    if (FAILED(hr)) SetError(error, parseError);
    return hr;
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Writes `text` to a temporary file beside `path`, flushes it to the disk and
// renames it over `path`; the directory is flushed too so that the rename
// itself survives a crash. The caller holds the lock, so one fixed temporary
// name suffices, and one left by a writer that died is simply overwritten.
HRESULT ReplaceFile(const fs::path& path, std::string_view text, std::string* error)
{
    fs::path temporary = path;
    temporary += ".tmp";
    CFileHandle file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.get() < 0) {
        SetError(error, SystemError(temporary, "cannot create"));
        return REGDB_E_WRITEREGDB;
    }
    if (!WriteAll(file.get(), text) || ::fsync(file.get()) != 0 || ::close(file.Release()) != 0) {
        SetError(error, SystemError(temporary, "cannot write"));
        ::unlink(temporary.c_str());
        return REGDB_E_WRITEREGDB;
    }
    if (auto hook = g_beforeReplaceHook.load()) hook();
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        SetError(error, SystemError(path, "cannot replace"));
        ::unlink(temporary.c_str());
        return REGDB_E_WRITEREGDB;
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    CFileHandle directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
    return S_OK;
}

HRESULT EditLocked(const std::function<HRESULT(CRegistryData&)>& change, std::string* error)
{
    const fs::path path = CRegistry::Location();
    std::error_code ec;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
    fs::path lockPath = path;
    lockPath += ".lock";
    CFileHandle lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.get() < 0) {
        SetError(error, SystemError(lockPath, "cannot open the lock file"));
        return REGDB_E_WRITEREGDB;
    }
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        SetError(error, SystemError(lockPath, "cannot lock"));
        return REGDB_E_WRITEREGDB;
    }

    CRegistryData data;
    if (const HRESULT hr = ReadData(path, data, error); FAILED(hr)) return hr;
    const CRegistryData before = data;
    if (const HRESULT hr = change(data); FAILED(hr)) return hr;
    if (data == before) return S_OK;
    return ReplaceFile(path, CRegistryFile::Serialize(data), error);
}

} // namespace

fs::path CRegistry::Location()
{
    if (const char* file = std::getenv("BRAINWHEEL_REGISTRY"); file && *file) return file;
    fs::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home && *home ? home : ".") / ".local" / "share";
    }
    return base / "thebrainwheel" / "registry.reg";
}

HRESULT CRegistry::Read(CRegistryData& data, std::string* error)
{
    try {
        return ReadData(Location(), data, error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
        SetError(error, e.what());
        return REGDB_E_READREGDB;
    }
}

HRESULT CRegistry::Edit(const std::function<HRESULT(CRegistryData&)>& change, std::string* error)
{
    try {
        return EditLocked(change, error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
        SetError(error, e.what());
        return REGDB_E_WRITEREGDB;
    }
}

void CRegistry::SetBeforeReplaceHook(void (*hook)())
{
    g_beforeReplaceHook = hook;
}
