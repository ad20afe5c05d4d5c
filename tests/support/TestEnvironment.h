#pragma once
// Gives each test a private registry file and a scratch folder, and locates
// the build's programs and the test data.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

class TestEnvironment {
public:
    TestEnvironment()
    {
        char pattern[] = "/tmp/brainwheel-test-XXXXXX";
        m_dir = mkdtemp(pattern);
        const char* old = std::getenv("BRAINWHEEL_REGISTRY");
        if (old) m_oldRegistry = old;
        m_hadRegistry = old != nullptr;
        setenv("BRAINWHEEL_REGISTRY", RegistryPath().c_str(), 1);
    }
    ~TestEnvironment()
    {
        if (m_hadRegistry) setenv("BRAINWHEEL_REGISTRY", m_oldRegistry.c_str(), 1);
        else unsetenv("BRAINWHEEL_REGISTRY");
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    const std::filesystem::path& Dir() const { return m_dir; }
    std::filesystem::path RegistryPath() const { return m_dir / "registry.reg"; }

    // The folder holding the built programs and modules: the test program's
    // own, unless the runner says otherwise.
    static std::filesystem::path BinDir()
    {
        const std::filesystem::path bin = Env("BRAINWHEEL_TEST_BIN");
        std::error_code ignored;
        return bin.empty() ? std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path() : bin;
    }
    // tests/data in the source tree.
    static std::filesystem::path DataDir()
    {
        const std::filesystem::path data = Env("BRAINWHEEL_TEST_DATA");
        return data.empty() ? std::filesystem::path(BRAINWHEEL_TEST_DATA_DIR) : data;
    }

private:
    static std::filesystem::path Env(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? std::filesystem::path(value) : std::filesystem::path();
    }

    std::filesystem::path m_dir;
    std::string m_oldRegistry;
    bool m_hadRegistry = false;
};
