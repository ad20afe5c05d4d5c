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

TEST(RegistryTest, LocationFollowsTheEnvironment)
{
    TestEnvironment env;
    EXPECT_EQ(CRegistry::Location(), env.RegistryPath());

    unsetenv("BRAINWHEEL_REGISTRY");
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string savedData = oldData ? oldData : "";
    setenv("XDG_DATA_HOME", env.Dir().c_str(), 1);
    EXPECT_EQ(CRegistry::Location(), env.Dir() / "thebrainwheel" / "registry.reg");
    unsetenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    EXPECT_EQ(CRegistry::Location(), std::filesystem::path(home ? home : ".") / ".local/share/thebrainwheel/registry.reg");
    if (oldData) setenv("XDG_DATA_HOME", savedData.c_str(), 1);

    // No user registry of one's own: the installation's system registry.
    const std::filesystem::path installed = CRegistry::SystemLocation();
    EXPECT_TRUE(installed.is_absolute()) << installed;
    EXPECT_EQ(installed.filename(), "registry.reg");
    EXPECT_EQ(installed.parent_path().filename(), "thebrainwheel");
    setenv("BRAINWHEEL_SYSTEM_REGISTRY", "/elsewhere/system.reg", 1);
    EXPECT_EQ(CRegistry::SystemLocation(), "/elsewhere/system.reg");
    setenv("BRAINWHEEL_SYSTEM_REGISTRY", "", 1);
    EXPECT_EQ(CRegistry::SystemLocation(), "");
    unsetenv("BRAINWHEEL_SYSTEM_REGISTRY");
    // A registry of one's own, as every test has, hides an installed copy's.
    setenv("BRAINWHEEL_REGISTRY", env.RegistryPath().c_str(), 1);
    EXPECT_EQ(CRegistry::SystemLocation(), "");
}

TEST(RegistryTest, MissingFileIsEmptyAndFoldersAreCreated)
{
    TestEnvironment env;
    setenv("BRAINWHEEL_REGISTRY", (env.Dir() / "deep" / "er" / "registry.reg").c_str(), 1);
    CRegistryData data;
    data.CreateKey("HKEY_CLASSES_ROOT\\Stale");
    ASSERT_EQ(CRegistry::Read(data), S_OK);
    EXPECT_EQ(data, CRegistryData());

    ASSERT_EQ(SetValue("HKEY_CLASSES_ROOT\\A", "1"), S_OK);
    ASSERT_EQ(CRegistry::Read(data), S_OK);
    std::string value;
    EXPECT_TRUE(data.GetValue("HKEY_CLASSES_ROOT\\a", "", value));
    EXPECT_EQ(value, "1");
}

TEST(RegistryTest, FailedChangeOrMalformedFileWritesNothing)
{
    TestEnvironment env;
    ASSERT_EQ(SetValue("HKEY_CLASSES_ROOT\\A", "1"), S_OK);
    const std::string before = ReadWholeFile(env.RegistryPath());

    EXPECT_EQ(CRegistry::Edit([](CRegistryData& data) {
                  data.DeleteKey("HKEY_CLASSES_ROOT", true);
                  return E_ACCESSDENIED;
              }),
              E_ACCESSDENIED);
    EXPECT_EQ(ReadWholeFile(env.RegistryPath()), before);

    { std::ofstream(env.RegistryPath()) << "The Brainwheel registry 1\n[HKEY_CLASSES_ROOT\\A]\n@=oops\n"; }
    const std::string malformed = ReadWholeFile(env.RegistryPath());
    std::string error;
    CRegistryData data;
    EXPECT_EQ(CRegistry::Read(data, &error), REGDB_E_READREGDB);
    EXPECT_EQ(error.rfind(env.RegistryPath().string() + ":3: ", 0), 0u) << error;
    EXPECT_EQ(SetValue("HKEY_CLASSES_ROOT\\B", "2"), REGDB_E_READREGDB);
    EXPECT_EQ(ReadWholeFile(env.RegistryPath()), malformed);
}

// The shared snapshot is parsed again exactly when the file changed, however
// it changed; in between, every reader gets the same object.
TEST(RegistryTest, SnapshotIsSharedUntilTheFileChanges)
{
    TestEnvironment env;
    const std::filesystem::path path = env.RegistryPath();
    const std::string key = "HKEY_CLASSES_ROOT\\A";
    const auto writeFile = [](const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    };
    const struct {
        const char* what;
        std::function<void()> change;
        const char* value;  // of A; null when the registry is empty
    } steps[] = {
        {"no file yet", [] {}, nullptr},
        {"an edit", [&] { ASSERT_EQ(SetValue(key, "1"), S_OK); }, "1"},
        {"an edit to the same size", [&] { ASSERT_EQ(SetValue(key, "2"), S_OK); }, "2"},
        {"another writer's rename, same size and modification time",
         [&] {
             struct stat old {};
             ASSERT_EQ(stat(path.c_str(), &old), 0);
             std::string text = ReadWholeFile(path);
             const size_t at = text.find("@=\"2\"");
             ASSERT_NE(at, std::string::npos) << text;
             text[at + 3] = '3';
             const std::filesystem::path other = env.Dir() / "other.reg";
             writeFile(other, text);
             const timespec times[2] = {old.st_atim, old.st_mtim};
             ASSERT_EQ(utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
             ASSERT_EQ(rename(other.c_str(), path.c_str()), 0);
             struct stat now {};
             ASSERT_EQ(stat(path.c_str(), &now), 0);
             ASSERT_EQ(now.st_size, old.st_size);
             ASSERT_EQ(now.st_mtim.tv_sec, old.st_mtim.tv_sec);
             ASSERT_EQ(now.st_mtim.tv_nsec, old.st_mtim.tv_nsec);
         },
         "3"},
        {"a rewrite in place",
         [&] {
             std::string text = ReadWholeFile(path);
             const size_t at = text.find("@=\"3\"");
             ASSERT_NE(at, std::string::npos) << text;
             writeFile(path, text.replace(at, 5, "@=\"4444\""));
         },
         "4444"},
        {"deletion", [&] { ASSERT_TRUE(std::filesystem::remove(path)); }, nullptr},
    };

    std::shared_ptr<const CRegistryData> previous;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        std::shared_ptr<const CRegistryData> data;
        ASSERT_EQ(CRegistry::Snapshot(data), S_OK);
        EXPECT_NE(data, previous);
        std::string value;
        EXPECT_EQ(data->GetValue(key, "", value), step.value != nullptr);
        if (step.value) {
            EXPECT_EQ(value, step.value);
        }
        std::shared_ptr<const CRegistryData> again;
        ASSERT_EQ(CRegistry::Snapshot(again), S_OK);
        EXPECT_EQ(again, data) << "parsed again although the file stayed as it was";
        previous = data;
    }
}

// The system registry lies beneath the user's, as an installed package leaves
// it for a new account: lookups see both with the user's values winning,
// writes go to the user's file alone, and a registration the system registry
// already holds writes nothing, not even the user's folder.
TEST(RegistryTest, SystemRegistryLiesBeneathTheUsers)
{
    TestEnvironment env;
    const std::filesystem::path system = env.Dir() / "var" / "registry.reg";
    const std::filesystem::path user = env.Dir() / "home" / "registry.reg";
    setenv("BRAINWHEEL_REGISTRY", user.c_str(), 1);
    setenv("BRAINWHEEL_SYSTEM_REGISTRY", system.c_str(), 1);
    struct Restore {
        ~Restore() { unsetenv("BRAINWHEEL_SYSTEM_REGISTRY"); }
    } restore;

    const std::string server = "HKEY_CLASSES_ROOT\\CLSID\\{C1}\\LocalServer32";
    const std::string shared = "HKEY_CLASSES_ROOT\\Shared";
    const std::string later = "HKEY_CLASSES_ROOT\\Later";
    const auto registerAs = [](const std::string& program) {
        return UpdateRegistryFromScript("HKCR { NoRemove CLSID { ForceRemove {C1} = s 'Game' "
                                        "{ LocalServer32 = s '%MODULE%' } } }",
                                        {{"MODULE", program}}, true);
    };
    // As the package's postinst registers: the system file as the only one.
    const auto asPostinst = [&](const std::function<void()>& change) {
        setenv("BRAINWHEEL_REGISTRY", system.c_str(), 1);
        unsetenv("BRAINWHEEL_SYSTEM_REGISTRY");
        change();
        setenv("BRAINWHEEL_REGISTRY", user.c_str(), 1);
        setenv("BRAINWHEEL_SYSTEM_REGISTRY", system.c_str(), 1);
    };
    // As an upgrade replaces it: a new file renamed over the old one.
    const auto replaceSystem = [&](const std::string& text) {
        const std::filesystem::path fresh = env.Dir() / "var" / "registry.reg.new";
        std::ofstream(fresh, std::ios::binary | std::ios::trunc) << text;
        ASSERT_EQ(rename(fresh.c_str(), system.c_str()), 0);
    };

    const struct {
        const char* what;
        std::function<void()> change;
        HRESULT read;
        std::vector<std::pair<std::string, const char*>> values;  // default values seen; null: absent
        bool userFile;
    } steps[] = {
        {"registered by the package",
         [&] { asPostinst([&] { ASSERT_EQ(registerAs("/usr/bin/game"), S_OK); ASSERT_EQ(SetValue(shared, "system"), S_OK); }); },
         S_OK, {{server, "/usr/bin/game"}, {shared, "system"}, {later, nullptr}}, false},
        {"the same registration by a new user writes nothing",
         [&] { ASSERT_EQ(registerAs("/usr/bin/game"), S_OK); },
         S_OK, {{server, "/usr/bin/game"}, {shared, "system"}}, false},
        {"the user's value wins",
         [&] { ASSERT_EQ(SetValue(shared, "user"), S_OK); },
         S_OK, {{server, "/usr/bin/game"}, {shared, "user"}}, true},
        {"a registration that differs goes to the user's file",
         [&] { ASSERT_EQ(registerAs("/home/dev/game"), S_OK); },
         S_OK, {{server, "/home/dev/game"}, {shared, "user"}}, true},
        {"the system file replaced",
         [&] {
             CRegistryData data;
             ASSERT_EQ(data.SetValue(later, "", "upgraded"), S_OK);
             replaceSystem(CRegistryFile::Serialize(data));
         },
         S_OK, {{server, "/home/dev/game"}, {shared, "user"}, {later, "upgraded"}}, true},
        {"a malformed system file", [&] { replaceSystem("The Brainwheel registry 1\n[A\n"); }, REGDB_E_READREGDB, {}, true},
        {"no system layer", [] { setenv("BRAINWHEEL_SYSTEM_REGISTRY", "", 1); },
         S_OK, {{server, "/home/dev/game"}, {shared, "user"}, {later, nullptr}}, true},
    };

    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        CRegistryData data;
        std::string error;
        ASSERT_EQ(CRegistry::Read(data, &error), step.read) << error;
        if (FAILED(step.read)) {
            EXPECT_EQ(error.rfind(system.string() + ":2: ", 0), 0u) << error;
        }
        for (const auto& [key, expected] : step.values) {
            std::string value;
            EXPECT_EQ(data.GetValue(key, "", value), expected != nullptr) << key;
            if (expected) {
                EXPECT_EQ(value, expected) << key;
            }
        }
        EXPECT_EQ(std::filesystem::exists(user), step.userFile);
        EXPECT_EQ(std::filesystem::exists(user.parent_path()), step.userFile) << "the folder or its lock file made";
    }
    // Each file holds only what was written to it.
    const std::string userText = ReadWholeFile(user);
    EXPECT_EQ(userText.find("/usr/bin/game"), std::string::npos) << userText;
    EXPECT_EQ(userText.find("system"), std::string::npos) << userText;
}

// Two processes editing at the same moment, each adding its own keys one
// transaction at a time: without the lock, one would write back a snapshot
// that lacks the other's latest key.
TEST(RegistryTest, ConcurrentProcessesKeepEveryKey)
{
    TestEnvironment env;
    constexpr int kProcesses = 2;
    constexpr int kTransactions = 50;
    pid_t children[kProcesses];
    for (int p = 0; p < kProcesses; ++p) {
        children[p] = fork();
        ASSERT_GE(children[p], 0);
        if (children[p] == 0) {
            for (int t = 0; t < kTransactions; ++t) {
                const std::string key = "HKEY_CLASSES_ROOT\\Module" + std::to_string(p) + ".Class" + std::to_string(t);
                if (FAILED(SetValue(key + "\\CLSID", std::to_string(t)))) _exit(1);
            }
            _exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    CRegistryData data;
    ASSERT_EQ(CRegistry::Read(data), S_OK);
    EXPECT_EQ(data.SubKeys("HKEY_CLASSES_ROOT").size(), static_cast<size_t>(kProcesses * kTransactions));
    for (int p = 0; p < kProcesses; ++p)
        for (int t = 0; t < kTransactions; ++t) {
            std::string value;
            EXPECT_TRUE(data.GetValue("HKEY_CLASSES_ROOT\\Module" + std::to_string(p) + ".Class" + std::to_string(t) + "\\CLSID", "", value));
            EXPECT_EQ(value, std::to_string(t));
        }
}

} // namespace
