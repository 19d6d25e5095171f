#include "../TestDevice.h"
#include "bex/Core/Exception.h"
#include "tonvik/Presets/PresetFolder.h"
#include "tonvik/Presets/PresetManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

using namespace TonvikTest;

namespace
{

fs::path native(const Bex::String& a_path)
{
    std::string text = a_path.to_utf8();
    std::replace(text.begin(), text.end(), '\\', '/');
    return fs::path(text);
}

} // namespace

// The Linux folders: the user's under $XDG_DATA_HOME, the machine's under the installation.
TEST(DeviceFolderTest, FoldersAreResolvedUnderTheUserDataFolderAndCreated)
{
    TemporaryFolder folder;
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string saved = previous ? previous : "";
    const fs::path data = folder.path() / "data home";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    TestDevice device{fs::path()};
    device.initialize();
    if (previous)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");

    const fs::path user = data / "Test Vendor" / "Test Device";
    EXPECT_TRUE(fs::is_directory(user / "Presets"));
    EXPECT_EQ(native(device.m_static_config.m_preset_folder), user / "Presets");
    EXPECT_EQ(native(device.get_settings_file()), user / "Settings.data");
    const fs::path common = native(device.m_static_config.m_common_folder);
    EXPECT_EQ(common.parent_path().parent_path().filename(), "share");
    EXPECT_EQ(common.parent_path().filename(), "Test Vendor");
    EXPECT_EQ(common.filename(), "Test Device");
    EXPECT_EQ(native(device.m_static_config.m_common_internal_data_folder), common / "Internal");
}

namespace
{

// Sets or removes an environment variable for the life of the object.
class ScopedVariable
{
public:
    ScopedVariable(const char* a_name, const char* a_value) : m_name(a_name)
    {
        const char* previous = std::getenv(a_name);
        m_had_value = previous != nullptr;
        if (previous)
            m_previous = previous;
        if (a_value)
            setenv(a_name, a_value, 1);
        else
            unsetenv(a_name);
    }
    ~ScopedVariable()
    {
        if (m_had_value)
            setenv(m_name, m_previous.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had_value = false;
    std::string m_previous;
};

} // namespace

// Sandboxed scanners and service accounts run without a usable home: the device still starts,
// with no presets and default settings, and says why.
TEST(DeviceFolderTest, WithoutAHomeFolderTheDeviceStartsWithoutPresetsOrSettings)
{
    ScopedVariable data_home("XDG_DATA_HOME", nullptr);
    ScopedVariable home("HOME", nullptr);
    TestDevice device{fs::path()};
    ASSERT_NO_THROW(device.initialize());
    EXPECT_EQ(device.get_folder_problem().to_utf8(), "Cannot determine system directory location.");
    EXPECT_TRUE(device.get_settings_file().empty());
    EXPECT_TRUE(device.m_static_config.m_preset_folder.empty());
    EXPECT_TRUE(device.get_preset_manager()->get_root()->is_empty());
    EXPECT_TRUE(device.get_preset_manager()->get_default_save_path().empty());
    // The machine's folder does not depend on the user's.
    EXPECT_FALSE(device.m_static_config.m_common_internal_data_folder.empty());
    device.terminate();
}

TEST(DeviceFolderTest, AUserFolderThatCannotBeMadeLeavesNothingWritten)
{
    TemporaryFolder folder;
    const fs::path blocker = folder.path() / "a file";
    {
        std::ofstream(blocker) << "not a folder";
    }
    ScopedVariable data_home("XDG_DATA_HOME", blocker.c_str());
    TestDevice device{fs::path()};
    ASSERT_NO_THROW(device.initialize());
    EXPECT_FALSE(device.get_folder_problem().empty());
    EXPECT_TRUE(device.get_settings_file().empty());
    EXPECT_TRUE(device.get_preset_manager()->get_root()->is_empty());
    EXPECT_THROW(device.save_global_settings(), Bex::Exception);
    device.set_sample_rate(48000.0f);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::is_regular_file(blocker));
    device.terminate();
}
