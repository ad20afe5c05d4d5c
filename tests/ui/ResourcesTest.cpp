#include "ui/Resources.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <dlfcn.h>

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ResourceText(HMODULE module, int id, std::string_view type)
{
    const HRSRC resource = FindResourceA(module, id, type);
    if (!resource) return "<none>";
    return std::string(static_cast<const char*>(LockResource(resource)), SizeofResource(module, resource));
}

// dlopen and dlclose of the test module, whose resources share a type and
// number with the program's but hold other text.
class LoadedModule {
public:
    explicit LoadedModule(const std::filesystem::path& path) : m_handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        EXPECT_NE(m_handle, nullptr) << dlerror();
    }
    ~LoadedModule() { Close(); }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    void Close()
    {
        if (m_handle) dlclose(m_handle);
        m_handle = nullptr;
    }

private:
    void* m_handle;
};

} // namespace

TEST(Resources, ProgramFindsItsOwnByTypeAndNumber)
{
    const HMODULE program = GetModuleHandleA("test_ui");
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(GetModuleHandleA("TEST_UI"), program);
    EXPECT_EQ(GetModuleFileName(program), std::filesystem::read_symlink("/proc/self/exe").string());
    EXPECT_EQ(GetModuleFromAddress(reinterpret_cast<const void*>(&ReadFile)), program);

    const std::filesystem::path data = TestEnvironment::DataDir() / "ui";
    EXPECT_EQ(ResourceText(program, 7, "Blob"), ReadFile(data / "blob.bin"));
    EXPECT_EQ(ResourceText(program, 7, "BLOB"), ReadFile(data / "blob.bin"));
    EXPECT_EQ(ResourceText(program, 5, "xml"), ReadFile(data / "program.xml"));
    EXPECT_EQ(LoadStringA(program, 101), ReadFile(data / "greeting.txt"));
    EXPECT_EQ(LoadStringA(program, 102), "");
}

TEST(Resources, DataIsFollowedByAZeroByteOutsideItsSize)
{
    const HMODULE program = GetModuleHandleA("test_ui");
    for (int id : {7, 8}) {
        const HRSRC resource = FindResourceA(program, id, "Blob");
        ASSERT_NE(resource, nullptr);
        const auto* bytes = static_cast<const unsigned char*>(LockResource(resource));
        EXPECT_EQ(bytes[SizeofResource(program, resource)], 0) << id;
    }
    EXPECT_EQ(SizeofResource(program, FindResourceA(program, 7, "Blob")), 5u);
    EXPECT_EQ(SizeofResource(program, FindResourceA(program, 8, "Blob")), 0u);
    const HRSRC text = FindResourceA(program, 101, "STRING");
    EXPECT_STREQ(static_cast<const char*>(LockResource(text)), "Bonjour \xe0 tous");
}

TEST(Resources, UnknownTypeNumberOrModuleFindsNothing)
{
    const HMODULE program = GetModuleHandleA("test_ui");
    EXPECT_EQ(FindResourceA(program, 5, "Blob"), nullptr);
    EXPECT_EQ(FindResourceA(program, 6, "XML"), nullptr);
    EXPECT_EQ(FindResourceA(program, 5, "XM"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, 5, "XML"), nullptr);
    EXPECT_EQ(SizeofResource(program, nullptr), 0u);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA("test"), nullptr);
    EXPECT_EQ(GetModuleHandleA("nothing.so"), nullptr);
    EXPECT_EQ(GetModuleFileName(nullptr), "");
}

TEST(Resources, LoadedModuleIsFoundByItsFileNameUntilClosed)
{
    const std::filesystem::path path = TestEnvironment::BinDir() / "TestResources.so";
    LoadedModule loaded(path);
    const HMODULE module = GetModuleHandleA("testresources.SO");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetModuleFileName(module), path.string());
    EXPECT_EQ(ResourceText(module, 5, "XML"), ReadFile(TestEnvironment::DataDir() / "ui" / "module.xml"));
    // The program's resource of the same type and number stays its own.
    EXPECT_EQ(ResourceText(GetModuleHandleA("test_ui"), 5, "XML"),
              ReadFile(TestEnvironment::DataDir() / "ui" / "program.xml"));
    EXPECT_EQ(GetModuleFromAddress(LockResource(FindResourceA(module, 5, "XML"))), module);

    loaded.Close();
    EXPECT_EQ(GetModuleHandleA("TestResources.so"), nullptr);
    EXPECT_EQ(FindResourceA(module, 5, "XML"), nullptr);
}

TEST(Resources, ModuleCopiedUnderAnotherNameAnswersToThatNameOnly)
{
    TestEnvironment environment;
    const std::filesystem::path copy = environment.Dir() / "Renamed.so";
    std::filesystem::copy_file(TestEnvironment::BinDir() / "TestResources.so", copy);
    LoadedModule loaded(copy);
    EXPECT_EQ(GetModuleHandleA("TestResources.so"), nullptr);
    const HMODULE module = GetModuleHandleA("renamed.so");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(ResourceText(module, 5, "XML"), ReadFile(TestEnvironment::DataDir() / "ui" / "module.xml"));
    loaded.Close();
    EXPECT_EQ(GetModuleHandleA("Renamed.so"), nullptr);
}
