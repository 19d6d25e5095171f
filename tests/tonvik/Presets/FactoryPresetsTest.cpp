#include "../Devices/TestDevice.h"
#include "tonvik/Presets/PresetFolder.h"
#include "tonvik/Presets/PresetManager.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace TonvikTest;

namespace
{

std::string read_text(const fs::path& a_path)
{
    std::ifstream file(a_path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A device that ships the presets of common/Internal/Factory.
class ShippingDevice : public TestDevice
{
public:
    explicit ShippingDevice(const fs::path& a_folder) : TestDevice(a_folder)
    {
        m_static_config.m_factory_preset_folder_name = u"Factory";
    }
};

} // namespace

TEST(FactoryPresetsTest, ShippedPresetsReachTheChooserAndTheUsersChangesStay)
{
    TemporaryFolder folder;
    const fs::path shipped = folder.path() / "common" / "Internal" / "Factory";
    fs::create_directories(shipped / "Pads");
    {
        TestDevice source(folder.path());
        source.initialize();
        source.m_steps->set_normalized_value_from_host(0.5f);
        source.get_preset_manager()->save_preset(to_text(shipped / "Warm.preset"));
        source.get_preset_manager()->save_preset(to_text(shipped / "Pads" / "Wide.preset"));
        source.terminate();
    }
    std::ofstream(shipped / "notes.txt") << "not a preset";

    const fs::path user = folder.path() / "user" / "Presets" / "Factory";
    {
        ShippingDevice device(folder.path());
        device.initialize();
        EXPECT_NE(device.get_preset_manager()->find(u"/Factory/Warm"), nullptr);
        EXPECT_NE(device.get_preset_manager()->find(u"/Factory/Pads/Wide"), nullptr);
        EXPECT_EQ(read_text(user / "Warm.preset"), read_text(shipped / "Warm.preset"));
        EXPECT_FALSE(fs::exists(user / "notes.txt"));
    }

    // The user's folder is the user's: an edit and a deletion stay; so does anything beside it.
    std::ofstream(user / "Warm.preset") << "changed";
    fs::remove(user / "Pads" / "Wide.preset");
    std::ofstream(folder.path() / "user" / "Presets" / "Mine.preset") << "mine";
    {
        ShippingDevice device(folder.path());
        device.initialize();
    }
    EXPECT_EQ(read_text(user / "Warm.preset"), "changed");
    EXPECT_FALSE(fs::exists(user / "Pads" / "Wide.preset"));
    EXPECT_EQ(read_text(folder.path() / "user" / "Presets" / "Mine.preset"), "mine");

    // Deleting the folder brings the shipped presets back.
    fs::remove_all(user);
    {
        ShippingDevice device(folder.path());
        device.initialize();
        EXPECT_NE(device.get_preset_manager()->find(u"/Factory/Warm"), nullptr);
    }
    EXPECT_EQ(read_text(user / "Warm.preset"), read_text(shipped / "Warm.preset"));
}

TEST(FactoryPresetsTest, NothingShippedIsNoError)
{
    TemporaryFolder folder;
    ShippingDevice device(folder.path());
    ASSERT_NO_THROW(device.initialize());
    EXPECT_FALSE(fs::exists(folder.path() / "user" / "Presets" / "Factory"));
    EXPECT_TRUE(device.get_preset_manager()->get_root()->is_empty());
}
