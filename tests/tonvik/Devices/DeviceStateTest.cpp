#include "../TestSupport.h"
#include "TestDevice.h"

#include "bex/Streams/ExpandingOutputStream.h"
#include "bex/Streams/MemoryInputStream.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"
#include "tonvik/Presets/PresetManager.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

std::vector<unsigned char> save(Device& a_device, uint32_t a_flags)
{
    Bex::ExpandingOutputStream output(256);
    a_device.save_state(output, a_flags);
    return output.get_contents();
}

void load(Device& a_device, const std::vector<unsigned char>& a_bytes, uint32_t a_flags)
{
    Bex::MemoryInputStream input(a_bytes.data(), a_bytes.size());
    a_device.load_state(input, a_flags);
}

// Portable code joins path pieces with "\"; the file system layer takes either separator.
fs::path native(const Bex::String& a_path)
{
    std::string text = a_path.to_utf8();
    std::replace(text.begin(), text.end(), '\\', '/');
    return fs::path(text);
}

void select(Parameter* a_choice, uint32_t a_option_id)
{
    P_GenericChoice* choice = static_cast<P_GenericChoice*>(a_choice);
    a_choice->set_normalized_value(choice->find_option(a_option_id)->m_normalized_value);
}

class DeviceStateTest : public ::testing::Test
{
protected:
    std::unique_ptr<TestDevice> make_device()
    {
        auto device = std::make_unique<TestDevice>(m_folder.path());
        device->initialize();
        return device;
    }

    // Changes a parameter, the instance settings and the current preset away from the defaults.
    void change(TestDevice& a_device)
    {
        a_device.m_level->set_external_value(2.0f);
        a_device.m_steps->set_value(42);
        a_device.get_instance_settings()->m_retrigger_key_parameters[0]->set_value(60);
        select(a_device.get_instance_settings()->m_smoothing_reason_parameter, 3);
        a_device.get_preset_manager()->set_current(u"/elsewhere/My sound.preset");
        a_device.flush_changes();
    }

    TemporaryFolder m_folder;
};

} // namespace

TEST_F(DeviceStateTest, AHostChunkRestoresParametersSettingsAndThePresetPath)
{
    auto source = make_device();
    change(*source);
    const std::vector<unsigned char> chunk = save(*source, 7);

    auto target = make_device();
    struct Listener
    {
        void loaded(PresetLoadedEvent& a_event)
        {
            m_versions.push_back(a_event.m_report->m_device_version);
        }
        std::vector<uint32_t> m_versions;
    } listener;
    target->get_preset_manager()->get_loaded_signal().connect(&listener, &Listener::loaded);
    ASSERT_TRUE(target->load_host_chunk(chunk.data(), chunk.size()));
    EXPECT_EQ(listener.m_versions, std::vector<uint32_t>{1u});
    EXPECT_FLOAT_EQ(target->m_level->get_external_value(), 2.0f);
    EXPECT_FLOAT_EQ(target->m_level_output[15], 2.0f);
    EXPECT_EQ(target->m_steps_value, 42);
    DeviceInstanceSettings* settings = target->get_instance_settings();
    EXPECT_EQ(settings->m_retrigger_keys[0].load(), 60);
    EXPECT_EQ(target->get_smoothing_reason_mask(), uint32_t(ParameterSmoothingReason_HOST));
    EXPECT_EQ(target->get_preset_manager()->get_current_path(), u"/elsewhere/My sound.preset");
    EXPECT_EQ(target->get_preset_manager()->get_current_name(), u"My sound.preset");
}

TEST_F(DeviceStateTest, APresetLoadLeavesTheInstanceSettingsAlone)
{
    auto source = make_device();
    change(*source);
    const std::vector<unsigned char> preset = save(*source, 3);

    auto target = make_device();
    target->get_instance_settings()->m_retrigger_key_parameters[0]->set_value(-2);
    load(*target, preset, 3);
    EXPECT_EQ(target->m_steps_value, 42);
    EXPECT_EQ(target->get_instance_settings()->m_retrigger_keys[0].load(), -2);
    EXPECT_EQ(target->get_smoothing_reason_mask(), 3u);
    EXPECT_TRUE(target->get_preset_manager()->get_current_path().empty());
    // Flag 4 needs a "Stat" node that a preset does not have.
    EXPECT_EQ(exception_text([&] { load(*target, preset, 7); }),
              u"An error occurred while loading the preset.");
}

TEST_F(DeviceStateTest, AChunkThatDoesNotLoadResetsTheDevice)
{
    auto device = make_device();
    TestDevice other(m_folder.path());
    other.m_static_config.m_plugin_name = u"Other Device";
    other.initialize();
    const std::vector<unsigned char> foreign = save(other, 7);

    std::vector<unsigned char> random(300);
    std::mt19937 generator(5);
    for (unsigned char& byte : random)
        byte = static_cast<unsigned char>(generator());

    for (const std::vector<unsigned char>* chunk :
         std::initializer_list<const std::vector<unsigned char>*>{&foreign, &random})
    {
        change(*device);
        EXPECT_EQ(exception_text([&] { load(*device, *chunk, 7); }),
                  u"An error occurred while loading the preset.");
        change(*device);
        EXPECT_FALSE(device->load_host_chunk(chunk->data(), chunk->size()));
        EXPECT_FLOAT_EQ(device->m_level->get_external_value(), 8.0f);
        EXPECT_FLOAT_EQ(device->m_level_output[0], 8.0f);
        EXPECT_EQ(device->m_steps_value, 3);
    }
}

TEST_F(DeviceStateTest, AStateLoadWithModulationResetsItOnTheNextBlock)
{
    auto device = make_device();
    const std::vector<unsigned char> chunk = save(*device, 7);
    device->process(nullptr, nullptr, 16, 0.0, false);
    EXPECT_EQ(device->m_modulation_resets, 0);
    load(*device, chunk, 7);
    device->process(nullptr, nullptr, 16, 0.0, false);
    device->process(nullptr, nullptr, 16, 0.0, false);
    EXPECT_EQ(device->m_modulation_resets, 1);
}

TEST_F(DeviceStateTest, ConfigurationIsCheckedInOrder)
{
    TestDevice no_id(m_folder.path());
    no_id.m_static_config.m_plugin_unique_id = 0;
    no_id.m_static_config.m_preset_preamble_part.clear();
    EXPECT_EQ(exception_text([&] { no_id.initialize(); }), u"cfg.m_plugin_unique_id != 0");

    TestDevice no_vendor(m_folder.path());
    no_vendor.m_static_config.m_vendor_folder_name.clear();
    EXPECT_EQ(exception_text([&] { no_vendor.initialize(); }),
              u"!cfg.m_use_vendor_folder || cfg.m_vendor_folder_name.size()");
}

TEST_F(DeviceStateTest, GlobalSettingsComeFromTheSettingsFileAndSeedNewInstances)
{
    auto first = make_device();
    DeviceGlobalSettings* global = first->get_global_settings();
    global->m_retrigger_key_parameters[1]->set_value(-1);
    select(global->m_smoothing_reason_parameter, 4);
    first->save_global_settings();
    EXPECT_FALSE(fs::exists(native(first->get_settings_file() + u".tmp")));

    auto second = make_device();
    EXPECT_EQ(second->get_global_settings()->m_retrigger_keys[1].load(), -1);
    EXPECT_EQ(second->get_instance_settings()->m_retrigger_keys[1].load(), -1);
    EXPECT_EQ(second->get_smoothing_reason_mask(), 0u);
    EXPECT_EQ(second->m_level->m_smoother, nullptr);

    // A damaged file leaves every setting at its default.
    {
        std::ofstream file(native(first->get_settings_file()), std::ios::binary);
        file << "Test Device/Settings but not a document";
    }
    auto third = make_device();
    EXPECT_EQ(third->get_global_settings()->m_retrigger_keys[1].load(), 13);
    EXPECT_EQ(third->get_smoothing_reason_mask(), 3u);
}

TEST_F(DeviceStateTest, TheInitialPresetAtTheTopOfTheFolderIsLoadedAtStartUp)
{
    auto first = make_device();
    first->m_steps->set_value(77);
    first->get_preset_manager()->save_preset(first->m_static_config.m_preset_folder +
                                             u"\\Initial.preset");
    first->m_steps->set_value(55);
    fs::create_directories(native(first->m_static_config.m_preset_folder) / "Deeper");
    first->get_preset_manager()->save_preset(first->m_static_config.m_preset_folder +
                                             u"\\Deeper\\Initial.preset");

    auto second = make_device();
    EXPECT_EQ(second->m_steps_value, 77);
    EXPECT_EQ(second->get_preset_manager()->get_current_name(), u"Initial");
}
