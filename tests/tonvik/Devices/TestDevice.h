#pragma once

#include "bex/Core/Id.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceProgramBuilder.h"
#include "tonvik/Devices/Effect.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/ParameterTypes/UnitConversions.h"
#include "tonvik/ParameterTypes/Units.h"
#include "tonvik/Platform/FloatingPointMode.h"

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace TonvikTest
{

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed with everything in it.
class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        std::random_device random;
        m_path = fs::temp_directory_path() /
                 ("tonvik-device-" + std::to_string(random()) + "-" + std::to_string(random()));
        fs::create_directories(m_path);
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

inline Bex::String to_text(const fs::path& a_path)
{
    return Bex::String::from_utf8(a_path.string());
}

struct SlotCall
{
    int m_slot;
    uint32_t m_count;
    // The level smoother's value after the smoothers advanced for this call.
    float m_level;

    bool operator==(const SlotCall&) const = default;
};

// An effect with a smoothed level written into a 16-sample buffer and a plain integer. Every
// sub-block writes input + 1 so that silence from the device is told apart from processed zeros.
class TestDevice : public Tonvik::Effect
{
public:
    explicit TestDevice(const fs::path& a_folder)
    {
        Tonvik::DeviceStaticConfig& cfg = m_static_config;
        cfg.m_plugin_name = u"Test Device";
        cfg.m_plugin_unique_id = 0x54657374;
        cfg.m_plugin_vendor = u"Test Vendor";
        cfg.m_plugin_version_string = u"1.0";
        cfg.m_application_folder_name = u"Test Device";
        cfg.m_common_internal_data_folder_name = u"Internal";
        cfg.m_initial_preset_name = u"Initial";
        cfg.m_preset_file_extension = u"preset";
        cfg.m_preset_folder_name = u"Presets";
        cfg.m_preset_preamble_part = "Preset";
        cfg.m_use_vendor_folder = true;
        cfg.m_vendor_folder_name = u"Test Vendor";
        if (!a_folder.empty())
        {
            cfg.m_common_folder = to_text(a_folder / "common");
            cfg.m_user_folder = to_text(a_folder / "user");
        }
    }

    void build_program() override
    {
        Tonvik::DeviceProgramBuilder builder(*get_program());
        m_level = new Tonvik::FloatParameter();
        m_level->set_id(Bex::make_id("Levl"));
        m_level->set_name(u"Level");
        m_level->append_float_variation(1, u"Default", Tonvik::Unit_NONE, 0.0f, 16.0f, 8.0f, 0,
                                        Tonvik::ConversionType_IDENTITY, 3, true);
        m_level->m_output = m_level_output;
        m_level->m_vector_size = 16;
        m_level->m_modulatable = true;
        builder.add_parameter(m_level);
        m_steps = new Tonvik::P_Integer();
        m_steps->set_id(Bex::make_id("Stps"));
        m_steps->set_name(u"Steps");
        m_steps->m_interval_start = 0;
        m_steps->m_interval_end = 99;
        m_steps->m_default = 3;
        m_steps->m_variable = &m_steps_value;
        builder.add_parameter(m_steps);
    }

    void process_block(const Tonvik::DeviceProcessIo& a_io) override { p_run(a_io, 9, 16); }
    void process_partial_completion(const Tonvik::DeviceProcessIo& a_io, uint32_t a_n) override
    {
        p_run(a_io, 10, a_n);
    }
    void process_partial_within(const Tonvik::DeviceProcessIo& a_io, uint32_t a_n) override
    {
        p_run(a_io, 11, a_n);
    }
    void process_partial_tail(const Tonvik::DeviceProcessIo& a_io, uint32_t a_n) override
    {
        p_run(a_io, 12, a_n);
    }
    void note_off(uint32_t a_channel, uint32_t a_key, uint32_t a_velocity) override
    {
        m_notes.push_back({0, a_channel, a_key, a_velocity});
    }
    void note_on(uint32_t a_channel, uint32_t a_key, uint32_t a_velocity) override
    {
        m_notes.push_back({1, a_channel, a_key, a_velocity});
        Tonvik::Effect::note_on(a_channel, a_key, a_velocity);
    }
    void on_retrigger_keys(uint32_t a_keys) override { m_retriggers.push_back(a_keys); }
    void on_modulation_reset() override { ++m_modulation_resets; }

    Tonvik::FloatParameter* m_level = nullptr;
    Tonvik::P_Integer* m_steps = nullptr;
    alignas(16) float m_level_output[16] = {};
    int32_t m_steps_value = -1;
    std::vector<SlotCall> m_calls;
    std::vector<std::vector<uint32_t>> m_notes;
    std::vector<uint32_t> m_retriggers;
    int m_modulation_resets = 0;
    bool m_denormals_off = false;

private:
    void p_run(const Tonvik::DeviceProcessIo& a_io, int a_slot, uint32_t a_n)
    {
        const float level = m_level->m_smoother ? m_level->m_smoother->m_current : 0.0f;
        m_calls.push_back({a_slot, a_n, level});
        m_denormals_off = Tonvik::are_denormals_off();
        for (uint32_t c = 0; c < 2; ++c)
        {
            for (uint32_t i = 0; i < a_n; ++i)
                a_io.m_outputs[c][i] = a_io.m_inputs[c][i] + 1.0f;
        }
    }
};

} // namespace TonvikTest
