#include "Brainwheel.h"
#include "RunProgram.h"
#include "TestEnvironment.h"
#include "com/ComRuntime.h"
#include "com/Registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace {

constexpr const char* kClsid = "{908F2E91-5D4B-421A-B132-817612EBEADA}";
constexpr const char* kLibid = "{FC230F47-26F2-4F1C-AFCF-76CF35174A8B}";

CRegistryData ReadRegistry()
{
    CRegistryData data;
    std::string error;
    EXPECT_EQ(CRegistry::Read(data, &error), S_OK) << error;
    return data;
}

TEST(AppRegistration, TheProgramRegistersItselfOnceAndUnregisters)
{
    TestEnvironment env;
    const std::string program = std::filesystem::canonical(TestEnvironment::BinDir() / "thebrainwheel").string();
    const std::string root = "HKEY_CLASSES_ROOT\\";
    const std::string clsidKey = root + "CLSID\\" + kClsid, libKey = root + "TypeLib\\" + kLibid + "\\1.0";
    CRegistryData expected;
    expected.SetValue(root + "thebrainwheel.Application", "", "thebrainwheel Application");
    expected.SetValue(root + "thebrainwheel.Application\\CLSID", "", kClsid);
    expected.SetValue(clsidKey, "", "thebrainwheel Application");
    expected.SetValue(clsidKey + "\\ProgID", "", "thebrainwheel.Application");
    expected.SetValue(clsidKey + "\\LocalServer32", "", program);
    expected.SetValue(clsidKey + "\\TypeLib", "", kLibid);
    expected.SetValue(libKey, "", "thebrainwheel");
    expected.SetValue(libKey + "\\0\\linux", "", program);
    expected.SetValue(libKey + "\\FLAGS", "", "0");
    expected.SetValue(libKey + "\\HELPDIR", "", std::filesystem::path(program).parent_path().string());

    // The program ends at once: a window would keep it running.
    const ProgramResult registered = RunProgram(env, "thebrainwheel", "/Regserver");
    EXPECT_EQ(registered.status, 0) << registered.err;
    const CRegistryData once = ReadRegistry();
    EXPECT_TRUE(once == expected) << ReadWholeFile(env.RegistryPath());
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(PROGID_thebrainwheel, &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_thebrainwheel);

    // Registering again changes nothing, so the file is not even rewritten.
    struct stat before {}, after {};
    ASSERT_EQ(::stat(env.RegistryPath().c_str(), &before), 0);
    EXPECT_EQ(RunProgram(env, "thebrainwheel", "/REGSERVER").status, 0);
    ASSERT_EQ(::stat(env.RegistryPath().c_str(), &after), 0);
    EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mtim.tv_sec == before.st_mtim.tv_sec &&
                after.st_mtim.tv_nsec == before.st_mtim.tv_nsec);

    EXPECT_EQ(RunProgram(env, "thebrainwheel", "-Unregserver").status, 0);
    CRegistryData left;
    left.CreateKey(root + "CLSID");
    left.CreateKey(root + "TypeLib");
    EXPECT_TRUE(ReadRegistry() == left) << ReadWholeFile(env.RegistryPath());
}

// A registration that cannot be written is a failed run, told with the file.
TEST(AppRegistration, ARegistryThatCannotBeWrittenFailsTheRegistration)
{
    for (const char* command : {"/Regserver", "-Unregserver"}) {
        SCOPED_TRACE(command);
        TestEnvironment env;
        // Registered first, so that unregistering has something to write.
        ASSERT_EQ(RunProgram(env, "thebrainwheel", "/Regserver").status, 0);
        const std::string before = ReadWholeFile(env.RegistryPath());
        if (command[1] == 'R') std::filesystem::remove(env.RegistryPath());
        std::filesystem::path temporary = env.RegistryPath();
        std::filesystem::create_symlink("/dev/full", temporary += ".tmp");

        const ProgramResult result = RunProgram(env, "thebrainwheel", command);
        EXPECT_NE(result.status, 0);
        EXPECT_NE(result.err.find(env.RegistryPath().string()), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("No space left on device"), std::string::npos) << result.err;
        if (command[1] == 'U') {
            EXPECT_EQ(ReadWholeFile(env.RegistryPath()), before);
        }
    }
}

} // namespace
