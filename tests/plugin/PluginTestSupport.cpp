#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace plugin_test
{

namespace
{

std::string g_data_folder;

// Every folder the plug-in uses lies below a fresh temporary directory: settings and presets of
// the person running the tests are never read or written.
class DataFolderEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        const fs::path base = fs::temp_directory_path() /
                              ("quorlin-plugin-test-" + std::to_string(std::random_device()()));
        fs::create_directories(base / "home");
        g_data_folder = (base / "data").string();
        setenv("XDG_DATA_HOME", g_data_folder.c_str(), 1);
        setenv("HOME", (base / "home").c_str(), 1);
        m_base = base;
    }

    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_base, ignored);
    }

private:
    std::filesystem::path m_base;
};

const bool g_registered = (::testing::AddGlobalTestEnvironment(new DataFolderEnvironment()), true);

} // namespace

const std::string& data_folder()
{
    return g_data_folder;
}

} // namespace plugin_test
