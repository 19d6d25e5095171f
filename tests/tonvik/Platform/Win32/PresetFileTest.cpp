#include "../../Devices/TestDevice.h"
#include "../../Presets/PresetTreeNames.h"
#include "WideTestSupport.h"
#include "tonvik/Presets/PresetManager.h"

using namespace TonvikWin32Test;
using TonvikTest::folder_names;
using TonvikTest::preset_names;

namespace
{

class Win32PresetFileTest : public ::testing::Test
{
protected:
    // A device whose user folder is a_user_folder, a wide path given as it is.
    std::unique_ptr<TonvikTest::TestDevice> make_device(const std::wstring& a_user_folder)
    {
        auto device = std::make_unique<TonvikTest::TestDevice>(TonvikTest::fs::path());
        device->m_static_config.m_user_folder = to_text(a_user_folder);
        device->m_static_config.m_common_folder = to_text(m_folder.path() + L"\\common");
        device->initialize();
        return device;
    }

    TemporaryFolder m_folder;
};

} // namespace

// The listing comes from FindFirstFileW in whatever order the file system keeps; the tree is
// sorted all the same, by code units with only A to Z folded, shorter prefixes first.
TEST_F(Win32PresetFileTest, ScanFindsPresetsInAFreshFolderSortedWithTheirSubfolders)
{
    auto device = make_device(m_folder.path() + L"\\user");
    const std::wstring presets = m_folder.path() + L"\\user\\Presets";
    ASSERT_TRUE(is_directory(presets));
    EXPECT_TRUE(device->get_preset_manager()->get_root()->is_empty());

    for (const wchar_t* name :
         {L"\u03A9mega.preset", L"zeta.preset", L"Pad 2.preset", L"alpha.preset",
          L"\u00C9clat.preset", L"Pad.preset", L"Beta.preset", L"Ch\u0153ur.PRESET", L"readme.txt",
          L"Keys.preset.bak"})
        write_file(presets + L"\\" + name);
    for (const wchar_t* name : {L"Leads", L"Empty", L"B\u00E4sse"})
        make_directory(presets + L"\\" + name);
    make_directory(presets + L"\\Leads\\Soft");
    write_file(presets + L"\\Leads\\Soft\\Air.preset");
    write_file(presets + L"\\B\u00E4sse\\Tief.preset");

    Tonvik::PresetManager& manager = *device->get_preset_manager();
    manager.scan();
    ASSERT_EQ(manager.get_error(), Tonvik::PresetScanError_NONE);
    const Tonvik::PresetFolder& root = *manager.get_root();
    EXPECT_EQ(preset_names(root),
              (std::vector<std::u16string>{u"alpha", u"Beta", u"Ch\u0153ur", u"Pad", u"Pad 2",
                                           u"zeta", u"\u00C9clat", u"\u03A9mega"}));
    EXPECT_EQ(folder_names(root), (std::vector<std::u16string>{u"B\u00E4sse", u"Empty", u"Leads"}));

    // Found again by path, with the file name as the system spells it.
    Tonvik::Preset* air = manager.find(u"/leads/SOFT/Air");
    ASSERT_NE(air, nullptr);
    EXPECT_EQ(manager.get_preset_path(air), to_text(presets + L"\\Leads\\Soft\\Air.preset"));
    Tonvik::Preset* tief = manager.find(u"/B\u00E4sse/Tief");
    ASSERT_NE(tief, nullptr);
    EXPECT_TRUE(is_file(to_wide(manager.get_preset_path(tief))));
    Tonvik::Preset* choeur = manager.find(u"/Ch\u0153ur");
    ASSERT_NE(choeur, nullptr);
    EXPECT_TRUE(is_file(to_wide(manager.get_preset_path(choeur))));
}

// Saved under a folder and a file name that no ANSI code page holds together, found by the scan,
// and loaded back, in the same instance and in a new one.
TEST_F(Win32PresetFileTest, APresetRoundTripsThroughAWidePathOutsideTheAnsiCodePage)
{
    const std::wstring user = m_folder.path() + L"\\Pr\u00E9st \u03A9mega \u97F3";
    auto device = make_device(user);
    const std::wstring presets = user + L"\\Presets";
    ASSERT_TRUE(is_directory(presets));

    device->m_level->set_external_value(5.5f);
    device->m_steps->set_value(42);
    device->flush_changes();
    const std::wstring file = presets + L"\\Ch\u0153ur \u00E4.preset";
    Tonvik::PresetManager& manager = *device->get_preset_manager();
    manager.save_preset(to_text(file));

    EXPECT_TRUE(is_file(file));
    // Written aside and moved into place: nothing else is left behind.
    EXPECT_EQ(list_folder(presets), std::vector<std::wstring>{L"Ch\u0153ur \u00E4.preset"});
    ASSERT_NE(manager.get_current_preset(), nullptr);
    EXPECT_EQ(manager.get_current_preset()->get_name(), u"Ch\u0153ur \u00E4");

    device->m_level->set_external_value(1.0f);
    device->m_steps->set_value(7);
    device->flush_changes();
    manager.load_preset(to_text(file));
    device->flush_changes();
    EXPECT_EQ(device->m_level->get_external_value(), 5.5f);
    EXPECT_EQ(device->m_steps_value, 42);

    auto other = make_device(user);
    Tonvik::PresetManager& other_manager = *other->get_preset_manager();
    Tonvik::Preset* preset = other_manager.find(u"/Ch\u0153ur \u00E4");
    ASSERT_NE(preset, nullptr);
    other_manager.open_preset(other_manager.get_preset_path(preset));
    other->flush_changes();
    EXPECT_EQ(other->m_level->get_external_value(), 5.5f);
    EXPECT_EQ(other->m_steps_value, 42);
    EXPECT_EQ(to_wide(other_manager.get_current_path()), file);

    other->terminate();
    device->terminate();
}
