// Registry writes that fail: the previous file stays whole and the failure
// names the registry.
#include "com/Registry.h"

#include "com/RegistrationScript.h"
#include "com/RegistryFile.h"

#include "EditRegistry.h"
#include "RunProgram.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Each way a write can fail, for root as for anyone: the old file stays
// byte for byte, the error names it with the step and the system's reason,
// and nothing of the attempt is left beside it.
ssize_t g_halfWritten = 0;
ssize_t WriteHalfThenFillTheDisk(int fd, const void* data, size_t size)
{
    if (g_halfWritten == 0) return g_halfWritten = write(fd, data, size / 2);
    errno = ENOSPC;
    return -1;
}
ssize_t WriteNothing(int, const void*, size_t)
{
    errno = 0;
    return 0;
}
TEST(RegistryTest, AFailedWriteLeavesThePreviousFileWhole)
{
    namespace fs = std::filesystem;
    const struct {
        const char* what;
        std::function<void(TestEnvironment&)> setUp;
        const char* step;    // and the file it names
        const char* reason;  // the system's
        std::vector<std::string> left;  // in the test's folder
    } cases[] = {
        {"a file in place of the folder",
         [](TestEnvironment& env) {
             std::ofstream(env.Dir() / "plain") << "x";
             setenv("BRAINWHEEL_REGISTRY", (env.Dir() / "plain" / "registry.reg").c_str(), 1);
         },
         "cannot make the folder", "Not a directory", {"plain", "registry.reg", "registry.reg.lock"}},
        {"a folder no one may make", [](TestEnvironment&) { setenv("BRAINWHEEL_REGISTRY", "/proc/brainwheel/registry.reg", 1); },
         "cannot make the folder /proc/brainwheel", "No such file or directory", {"registry.reg", "registry.reg.lock"}},
        {"the lock file's name taken by a folder", [](TestEnvironment& env) { fs::remove(env.Dir() / "registry.reg.lock"); fs::create_directory(env.Dir() / "registry.reg.lock"); },
         "cannot open the lock file", "Is a directory", {"registry.reg", "registry.reg.lock"}},
        {"the temporary file's name taken by a folder", [](TestEnvironment& env) { fs::create_directory(env.Dir() / "registry.reg.tmp"); },
         "cannot create", "Is a directory", {"registry.reg", "registry.reg.lock", "registry.reg.tmp"}},
        {"a full disk at once", [](TestEnvironment& env) { fs::create_symlink("/dev/full", env.Dir() / "registry.reg.tmp"); },
         "cannot write", "No space left on device", {"registry.reg", "registry.reg.lock"}},
        {"the disk full half-way",
         [](TestEnvironment&) {
             g_halfWritten = 0;
             CRegistry::SetWriteFunction(WriteHalfThenFillTheDisk);
         },
         "cannot write", "No space left on device", {"registry.reg", "registry.reg.lock"}},
        {"a write that makes no progress", [](TestEnvironment&) { CRegistry::SetWriteFunction(WriteNothing); },
         "cannot write", "Input/output error", {"registry.reg", "registry.reg.lock"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestEnvironment env;
        ASSERT_EQ(SetValue("HKEY_CLASSES_ROOT\\Before", "intact"), S_OK);
        const std::string before = ReadWholeFile(env.RegistryPath());
        c.setUp(env);
        const fs::path path = CRegistry::Location();

        std::string error;
        EXPECT_EQ(CRegistry::Edit([](CRegistryData& data) { return data.SetValue("HKEY_CLASSES_ROOT\\After", "", "lost"); },
                                  &error),
                  REGDB_E_WRITEREGDB);
        CRegistry::SetWriteFunction(nullptr);
        EXPECT_EQ(error.rfind(path.string() + ": cannot write the registry: " + c.step, 0), 0u) << error;
        EXPECT_EQ(error.substr(error.size() - std::strlen(c.reason)), c.reason) << error;
        EXPECT_EQ(CRegistry::LastError(), error);

        EXPECT_EQ(ReadWholeFile(env.RegistryPath()), before);
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(env.Dir())) left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, c.left);
    }
}

int g_pausePipe = -1;

// Tells the parent that the writer got as far as it should, then waits to be
// killed.
void AnnounceAndWait()
{
    const char ready = 'r';
    (void)!write(g_pausePipe, &ready, 1);
    for (;;) pause();
}

ssize_t WriteHalfThenWait(int fd, const void* data, size_t size)
{
    (void)!write(fd, data, size / 2);
    AnnounceAndWait();
    return -1;
}

// A writer killed for good: the old file stays whole, a reader meanwhile sees
// it, the dead writer's lock goes with it, and the next writer overwrites its
// leftover temporary file.
TEST(RegistryTest, WriterKilledMidWayLeavesThePreviousFile)
{
    const struct {
        const char* what;
        std::function<void()> stopAt;
        bool partial;  // the temporary file left half written, else complete
    } cases[] = {
        {"half-way through the temporary file", [] { CRegistry::SetWriteFunction(WriteHalfThenWait); }, true},
        {"before replacing the file", [] { CRegistry::SetBeforeReplaceHook(AnnounceAndWait); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestEnvironment env;
        ASSERT_EQ(SetValue("HKEY_CLASSES_ROOT\\Before", "intact"), S_OK);
        const std::string before = ReadWholeFile(env.RegistryPath());
        CRegistryData next;
        ASSERT_EQ(CRegistry::Read(next), S_OK);
        ASSERT_EQ(next.SetValue("HKEY_CLASSES_ROOT\\After", "", "lost"), S_OK);
        const std::string written = CRegistryFile::Serialize(next);

        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            g_pausePipe = fds[1];
            c.stopAt();
            SetValue("HKEY_CLASSES_ROOT\\After", "lost");
            _exit(1);
        }
        close(fds[1]);
        char ready = 0;
        ASSERT_EQ(read(fds[0], &ready, 1), 1);
        close(fds[0]);

        // Mid-write: a reader still sees the old registry.
        CRegistryData data;
        ASSERT_EQ(CRegistry::Read(data), S_OK);
        EXPECT_FALSE(data.KeyExists("HKEY_CLASSES_ROOT\\After"));

        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(ReadWholeFile(env.RegistryPath()), before);
        std::filesystem::path temporary = env.RegistryPath();
        temporary += ".tmp";
        const std::string leftover = ReadWholeFile(temporary);
        EXPECT_EQ(leftover, c.partial ? written.substr(0, written.size() / 2) : written);

        // The dead writer's lock went with it: taken at once, not waited for.
        std::filesystem::path lockPath = env.RegistryPath();
        lockPath += ".lock";
        const int lock = open(lockPath.c_str(), O_RDWR);
        ASSERT_GE(lock, 0);
        EXPECT_EQ(flock(lock, LOCK_EX | LOCK_NB), 0) << std::strerror(errno);
        close(lock);

        ASSERT_EQ(SetValue("HKEY_CLASSES_ROOT\\Later", "written"), S_OK);
        ASSERT_EQ(CRegistry::Read(data), S_OK);
        EXPECT_TRUE(data.KeyExists("HKEY_CLASSES_ROOT\\Before"));
        EXPECT_TRUE(data.KeyExists("HKEY_CLASSES_ROOT\\Later"));
        EXPECT_FALSE(data.KeyExists("HKEY_CLASSES_ROOT\\After"));
        EXPECT_FALSE(std::filesystem::exists(temporary));
    }
}

} // namespace
