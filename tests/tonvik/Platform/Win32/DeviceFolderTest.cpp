#include "../../Devices/TestDevice.h"
#include "WideTestSupport.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Devices/RetriggerParameters.h"

#include <shlobj.h>

using namespace TonvikWin32Test;

namespace
{

std::wstring shell_folder(int a_csidl)
{
    wchar_t path[MAX_PATH] = {};
    EXPECT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, a_csidl, nullptr, SHGFP_TYPE_CURRENT, path)));
    return path;
}

} // namespace

// The device's folders with nothing preset: the user's under the roaming AppData folder, created
// level by level on the first start, the machine's under the common AppData folder.
TEST(Win32DeviceFolderTest, FoldersResolveUnderAppDataAndEveryMissingLevelIsCreated)
{
    const std::wstring app_data = shell_folder(CSIDL_APPDATA);
    const std::wstring common_app_data = shell_folder(CSIDL_COMMON_APPDATA);
    ASSERT_TRUE(is_directory(app_data));
    // A vendor folder of this test's own, so that every level is missing and removing it touches
    // nothing that another program keeps there.
    const std::wstring vendor = unique_name(L"Quorlin Plugins ");
    const std::wstring vendor_folder = app_data + L"\\" + vendor;
    ASSERT_FALSE(is_directory(vendor_folder));
    FolderRemover remover(vendor_folder);

    TonvikTest::TestDevice device{TonvikTest::fs::path()};
    Tonvik::DeviceStaticConfig& cfg = device.m_static_config;
    cfg.m_vendor_folder_name = to_text(vendor);
    cfg.m_application_folder_name = u"Quorlin Chorus";
    device.initialize();

    const std::wstring user = vendor_folder + L"\\Quorlin Chorus";
    EXPECT_EQ(to_wide(cfg.m_user_folder), user);
    EXPECT_EQ(to_wide(cfg.m_preset_folder), user + L"\\Presets");
    EXPECT_EQ(to_wide(device.get_settings_file()), user + L"\\Settings.data");
    EXPECT_TRUE(is_directory(user + L"\\Presets"));
    const std::wstring common = common_app_data + L"\\" + vendor + L"\\Quorlin Chorus";
    EXPECT_EQ(to_wide(cfg.m_common_folder), common);
    EXPECT_EQ(to_wide(cfg.m_common_internal_data_folder), common + L"\\Internal");

    // The settings file is written there and read back by the next instance.
    device.get_global_settings()->m_retrigger_key_parameters[1]->set_value(-1);
    device.save_global_settings();
    EXPECT_TRUE(is_file(user + L"\\Settings.data"));
    device.terminate();
    TonvikTest::TestDevice again{TonvikTest::fs::path()};
    again.m_static_config.m_vendor_folder_name = to_text(vendor);
    again.m_static_config.m_application_folder_name = u"Quorlin Chorus";
    again.initialize();
    EXPECT_EQ(again.get_global_settings()->m_retrigger_keys[1].load(), -1);
    again.terminate();
}
