// Sandboxed plug-in scanners and service accounts load plug-ins without a usable home folder.
#include "tests/plugin/PluginTestSupport.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using quorlin::PluginHost;

namespace
{

namespace fs = std::filesystem;

class PluginWithoutHome : public ::testing::Test
{
protected:
    PluginWithoutHome()
        : m_folder(fs::temp_directory_path() /
                   ("quorlin-no-home-" + std::to_string(std::random_device()())))
    {
        fs::create_directories(m_folder);
        for (const char* name : {"HOME", "XDG_DATA_HOME"})
        {
            const char* value = std::getenv(name);
            m_saved.push_back(value ? value : "");
        }
    }
    ~PluginWithoutHome() override
    {
        setenv("HOME", m_saved[0].c_str(), 1);
        setenv("XDG_DATA_HOME", m_saved[1].c_str(), 1);
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    // Loads, keeps its state through a chunk and sounds.
    static void expect_working_plugin()
    {
        std::unique_ptr<PluginHost> host;
        ASSERT_NO_THROW(host = std::make_unique<PluginHost>(plugin_test::plugin_path()));
        EXPECT_EQ(host->get_parameter_count(), 109);
        host->set_parameter(28, 0.8f);
        const std::vector<uint8_t> chunk = host->get_chunk();
        ASSERT_FALSE(chunk.empty());
        PluginHost other(plugin_test::plugin_path());
        EXPECT_EQ(other.set_chunk(chunk), 0);
        EXPECT_EQ(other.get_parameter_display(28), host->get_parameter_display(28));

        const std::vector<float> in(1024, 0.5f);
        std::vector<float> left;
        std::vector<float> right;
        host->render(in, in, left, right, [] { return 256; });
        EXPECT_NE(left.back(), 0.0f);
    }

    fs::path m_folder;
    std::vector<std::string> m_saved;
};

} // namespace

TEST_F(PluginWithoutHome, LoadsAndPlaysWithNoHomeSet)
{
    unsetenv("HOME");
    unsetenv("XDG_DATA_HOME");
    expect_working_plugin();
}

TEST_F(PluginWithoutHome, LoadsAndPlaysWhenTheHomeCannotHoldFolders)
{
    const fs::path file = m_folder / "home";
    std::ofstream(file) << "a file, not a folder";
    setenv("HOME", file.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    expect_working_plugin();
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}
