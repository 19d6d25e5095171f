#include "../TestDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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
