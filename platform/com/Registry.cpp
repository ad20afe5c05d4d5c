#include "com/Registry.h"

#include "com/RegistryFile.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::atomic<void (*)()> g_beforeReplaceHook{nullptr};
std::atomic<CRegistry::WriteFunction> g_writeFunction{nullptr};
thread_local std::string t_lastError;

void SetError(std::string* error, std::string text)
{
    if (error) *error = std::move(text);
}

std::string SystemError(const fs::path& path, std::string_view what)
{
    return path.string() + ": " + std::string(what) + ": " + std::strerror(errno);
}

// The registry file `path` could not be written: `step` failed on `file`
// (the registry itself or one of its companions) with errno.
std::string WriteError(const fs::path& path, std::string_view step, const fs::path& file)
{
    return path.string() + ": cannot write the registry: " + std::string(step) + " " + file.string() + ": " +
           std::strerror(errno);
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

// Tells one version of the registry file from another. Writers rename a new
// file over the old one, so every write changes the identity; an edit in
// place by hand changes the size or the modification time.
struct FileStamp {
    bool present = false;  // false: no file, the empty registry
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    time_t mtimeSeconds = 0;
    long mtimeNanoseconds = 0;

    FileStamp() = default;
    explicit FileStamp(const struct stat& status)
        : present(true), device(status.st_dev), inode(status.st_ino), size(status.st_size),
          mtimeSeconds(status.st_mtim.tv_sec), mtimeNanoseconds(status.st_mtim.tv_nsec) {}
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file as it is now; false when it cannot be told, and the
// read that follows reports why.
bool CurrentStamp(const fs::path& path, FileStamp& stamp)
{
    struct stat status;
    if (::stat(path.c_str(), &status) == 0) {
        stamp = FileStamp(status);
        return true;
    }
    stamp = FileStamp();
    return errno == ENOENT;
}

// Reads the whole file and stamps what was read; a missing file reads as
// empty text.
HRESULT ReadText(const fs::path& path, std::string& text, FileStamp& stamp, std::string* error)
{
    text.clear();
    stamp = FileStamp();
    CFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT) return S_OK;
        SetError(error, SystemError(path, "cannot open"));
        return REGDB_E_READREGDB;
    }
    struct stat status;
    if (::fstat(file.get(), &status) != 0) {
        SetError(error, SystemError(path, "cannot read"));
        return REGDB_E_READREGDB;
    }
    stamp = FileStamp(status);
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

HRESULT ReadData(const fs::path& path, CRegistryData& data, FileStamp& stamp, std::string* error)
{
    std::string text;
    if (const HRESULT hr = ReadText(path, text, stamp, error); FAILED(hr)) return hr;
    std::string parseError;
    // The full path: the user's file and the system's share one file name.
    const HRESULT hr = CRegistryFile::Parse(text, path.string(), data, parseError);
    if (FAILED(hr)) SetError(error, parseError);
    return hr;
}

bool WriteAll(int fd, std::string_view text)
{
    const CRegistry::WriteFunction write = g_writeFunction.load();
    while (!text.empty()) {
        const ssize_t written = write ? write(fd, text.data(), text.size()) : ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO;
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
    // The reason is taken before the temporary file goes, which sets errno.
    const auto fail = [&](std::string_view step, bool made) {
        SetError(error, WriteError(path, step, temporary));
        if (made) ::unlink(temporary.c_str());
        return REGDB_E_WRITEREGDB;
    };
    CFileHandle file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.get() < 0) return fail("cannot create", false);
    if (!WriteAll(file.get(), text)) return fail("cannot write", true);
    if (::fsync(file.get()) != 0) return fail("cannot flush", true);
    if (::close(file.Release()) != 0) return fail("cannot close", true);
    if (auto hook = g_beforeReplaceHook.load()) hook();
    if (::rename(temporary.c_str(), path.c_str()) != 0) return fail("cannot move into place", true);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    CFileHandle directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
    return S_OK;
}

// Hands a failure's text to the caller and keeps it as the thread's last.
HRESULT Remember(HRESULT hr, std::string text, std::string* error)
{
    if (FAILED(hr) && !text.empty()) {
        SetError(error, text);
        t_lastError = std::move(text);
    }
    return hr;
}

// Lays `upper` over `lower`: every key of `upper` is made in `lower`, and its
// values replace those of the same name there.
HRESULT Overlay(CRegistryData& lower, const CRegistryData& upper, const std::string& path)
{
    if (!path.empty()) {
        if (const HRESULT hr = lower.CreateKey(path); FAILED(hr)) return hr;
        for (const std::string& name : upper.ValueNames(path)) {
            std::string value;
            upper.GetValue(path, name, value);
            if (const HRESULT hr = lower.SetValue(path, name, value); FAILED(hr)) return hr;
        }
    }
    for (const std::string& sub : upper.SubKeys(path))
        if (const HRESULT hr = Overlay(lower, upper, path.empty() ? sub : path + "\\" + sub); FAILED(hr)) return hr;
    return S_OK;
}

// The registry parsed last, kept while both its files stay as they were: the
// game looks up hundreds of names in a row. One slot, since a process uses
// one registry; never destroyed, as readers may run while the process exits.
struct CachedRegistry {
    fs::path path;
    fs::path systemPath;  // empty: no system layer
    FileStamp stamp;
    FileStamp systemStamp;
    std::shared_ptr<const CRegistryData> data;  // null: nothing cached
};
std::mutex g_cacheMutex;
CachedRegistry& Cache()
{
    static auto* cache = new CachedRegistry;
    return *cache;
}

bool Unchanged(const fs::path& path, const FileStamp& stamp)
{
    FileStamp now;
    return path.empty() || (CurrentStamp(path, now) && now == stamp);
}

HRESULT SharedSnapshot(const fs::path& path, const fs::path& systemPath,
                       std::shared_ptr<const CRegistryData>& snapshot, std::string* error)
{
    std::lock_guard lock(g_cacheMutex);
    CachedRegistry& cache = Cache();
    if (cache.data && cache.path == path && cache.systemPath == systemPath && Unchanged(path, cache.stamp) &&
        Unchanged(systemPath, cache.systemStamp)) {
        snapshot = cache.data;
        return S_OK;
    }
    cache.data.reset();
    auto data = std::make_shared<CRegistryData>();
    FileStamp systemStamp;
    if (!systemPath.empty())
        if (const HRESULT hr = ReadData(systemPath, *data, systemStamp, error); FAILED(hr)) return hr;
    CRegistryData user;
    FileStamp stamp;
    if (const HRESULT hr = ReadData(path, user, stamp, error); FAILED(hr)) return hr;
    if (data->SubKeys("").empty()) {
        *data = std::move(user);
    } else if (const HRESULT hr = Overlay(*data, user, ""); FAILED(hr)) {
        return hr;
    }
    cache.path = path;
    cache.systemPath = systemPath;
    cache.stamp = stamp;
    cache.systemStamp = systemStamp;
    cache.data = std::move(data);
    snapshot = cache.data;
    return S_OK;
}

// An edit may reuse the stamp of a version read earlier (an inode freed by one
// write and taken by the next within one clock tick), so the process forgets
// its snapshot whenever it writes.
void ForgetSnapshot()
{
    std::lock_guard lock(g_cacheMutex);
    Cache().data.reset();
}

HRESULT EditLocked(const std::function<HRESULT(CRegistryData&)>& change, std::string* error)
{
    const fs::path path = CRegistry::Location();
    if (path.has_parent_path()) {
        std::error_code ec;
        if (!fs::create_directories(path.parent_path(), ec) && ec) {
            errno = ec.value();
            SetError(error, WriteError(path, "cannot make the folder", path.parent_path()));
            return REGDB_E_WRITEREGDB;
        }
    }
    fs::path lockPath = path;
    lockPath += ".lock";
    CFileHandle lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.get() < 0) {
        SetError(error, WriteError(path, "cannot open the lock file", lockPath));
        return REGDB_E_WRITEREGDB;
    }
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        SetError(error, WriteError(path, "cannot lock", lockPath));
        return REGDB_E_WRITEREGDB;
    }

    // Always from the file itself, never from the shared snapshot.
    CRegistryData data;
    FileStamp stamp;
    if (const HRESULT hr = ReadData(path, data, stamp, error); FAILED(hr)) return hr;
    const CRegistryData before = data;
    if (const HRESULT hr = change(data); FAILED(hr)) return hr;
    if (data == before) return S_OK;
    const HRESULT hr = ReplaceFile(path, CRegistryFile::Serialize(data), error);
    ForgetSnapshot();
    return hr;
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

fs::path CRegistry::SystemLocation()
{
    if (const char* file = std::getenv("BRAINWHEEL_SYSTEM_REGISTRY")) return file;
    if (const char* user = std::getenv("BRAINWHEEL_REGISTRY"); user && *user) return {};
    return BRAINWHEEL_SYSTEM_REGISTRY_PATH;
}

HRESULT CRegistry::Snapshot(std::shared_ptr<const CRegistryData>& data, std::string* error)
{
    std::string text;
    HRESULT hr;
    try {
        hr = SharedSnapshot(Location(), SystemLocation(), data, &text);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
        text = e.what();
        hr = REGDB_E_READREGDB;
    }
    return Remember(hr, std::move(text), error);
}

HRESULT CRegistry::Read(CRegistryData& data, std::string* error)
{
    std::shared_ptr<const CRegistryData> snapshot;
    if (const HRESULT hr = Snapshot(snapshot, error); FAILED(hr)) return hr;
    try {
        data = *snapshot;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CRegistry::Edit(const std::function<HRESULT(CRegistryData&)>& change, std::string* error)
{
    std::string text;
    HRESULT hr;
    try {
        hr = EditLocked(change, &text);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
        text = e.what();
        hr = REGDB_E_WRITEREGDB;
    }
    return Remember(hr, std::move(text), error);
}

std::string CRegistry::LastError()
{
    return t_lastError;
}

void CRegistry::SetBeforeReplaceHook(void (*hook)())
{
    g_beforeReplaceHook = hook;
}

void CRegistry::SetWriteFunction(WriteFunction write)
{
    g_writeFunction = write;
}
