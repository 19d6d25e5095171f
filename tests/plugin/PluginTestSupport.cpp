#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace plugin_test
{

namespace
{

class DataFolderEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        m_base = fs::temp_directory_path() /
                 ("quorlin-plugin-test-" + std::to_string(std::random_device()()));
        fs::create_directories(m_base);
        redirect_data_folders(m_base.string());
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

} // namespace plugin_test
