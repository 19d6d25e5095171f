// Builds the factory presets the way a user would in the editor: a fresh chorus, its parameters
// set, LFOs added and aimed at the voices, then saved as a preset file. The files it writes are
// turned into the JSON kept under data/presets with `quorlin bini to-json`.
#include "quorlinchorus/TheEffect.h"

#include "bex/Core/Exception.h"
#include "bex/Core/Id.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/P_GenericChoice.h"
#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/Parameters/ParameterCollection.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

// Option ids of the LFO's choices.
constexpr uint32_t WaveformSineHighPrecision = 3;
constexpr uint32_t WaveformTriangle = 6;
constexpr uint32_t SynchronizationTempo = 2;
// Option ids of the chorus's choices.
constexpr uint32_t InterpolationCubic = 2;

class PresetBuilder
{
public:
    explicit PresetBuilder(const fs::path& a_folder)
    {
        m_effect.m_static_config.m_user_folder =
            Bex::String::from_utf8((a_folder / "user").string());
        m_effect.m_static_config.m_common_folder =
            Bex::String::from_utf8((a_folder / "common").string());
        m_effect.initialize();
        m_effect.set_sample_rate(48000.0f);
    }
    ~PresetBuilder() { m_effect.terminate(); }

    Tonvik::Parameter& parameter(const std::string& a_id)
    {
        Tonvik::Parameter* found =
            m_effect.get_program()->get_collection().find(Bex::make_id(a_id));
        if (!found)
            throw Bex::Exception(Bex::String::from_utf8("No parameter \"" + a_id + "\""));
        return *found;
    }

    // a_value in the parameter's own unit (milliseconds, gain, pan position).
    void set(const std::string& a_id, float a_value)
    {
        static_cast<Tonvik::FloatParameter&>(parameter(a_id)).set_external_value(a_value);
    }

    void set_choice(Tonvik::Parameter& a_parameter, uint32_t a_option_id)
    {
        auto& choice = static_cast<Tonvik::P_GenericChoice&>(a_parameter);
        a_parameter.set_normalized_value(choice.find_option(a_option_id)->m_normalized_value);
    }

    void enable_voices(unsigned a_count)
    {
        for (unsigned voice = 1; voice <= 8; ++voice)
            parameter("Ena" + std::to_string(voice))
                .set_normalized_value(voice <= a_count ? 1.0f : 0.0f);
    }

    // An LFO with one entry per voice on "Pitch modulation", each in its own phase group so that
    // the voices move apart: voice k of n starts a_phase_spread * k / n later.
    Tonvik::LfoModulator* add_pitch_lfo(const std::vector<unsigned>& a_voices, float a_frequency,
                                        uint32_t a_waveform, float a_phase_spread, float a_range)
    {
        Tonvik::ModulationManager* modulation = m_effect.get_modulation();
        auto* lfo = static_cast<Tonvik::LfoModulator*>(
            modulation->add_modulator(std::make_unique<Tonvik::LfoModulator>(modulation)));
        lfo->get_frequency_factor_parameter()->set_external_value(a_frequency);
        set_choice(*lfo->get_waveform_parameter(), a_waveform);
        for (size_t i = 0; i < a_voices.size(); ++i)
        {
            auto* entry = static_cast<Tonvik::LfoModulatorEntry*>(
                modulation->add_entry(lfo, uint32_t(lfo->get_entries().size())));
            entry->get_range_parameter()->set_external_value(a_range);
            entry->get_start_phase_group_parameter()->set_value(true);
            entry->get_phase_parameter()->set_external_value(a_phase_spread * float(i) /
                                                             float(a_voices.size()));
            const std::string target = "PiM" + std::to_string(a_voices[i]);
            entry->get_modulatee_parameter()->set_target(parameter(target).get_modulatee());
        }
        return lfo;
    }

    void assign(uint32_t a_slot, Tonvik::Parameter* a_parameter)
    {
        m_effect.get_assignable_slots()->assign(a_slot, a_parameter);
    }

    void save(const fs::path& a_file)
    {
        Bex::ExpandingOutputStream stream(4096);
        m_effect.save_state(stream, Tonvik::StateFlag_MODULATION | Tonvik::StateFlag_PROGRAM);
        const std::vector<unsigned char> bytes = stream.get_contents();
        std::ofstream file(a_file, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!file.flush())
            throw Bex::Exception(
                Bex::String::from_utf8("Cannot write \"" + a_file.string() + "\""));
    }

private:
    quorlinchorus::TheEffect m_effect;
};

// Eight voices spread over the stereo field at staggered delays, two LFOs at unrelated rates
// moving every voice's pitch; the rates sit in the first two assignable slots.
void build_lush_chorus(PresetBuilder& a_builder)
{
    a_builder.enable_voices(8);
    a_builder.set_choice(a_builder.parameter("InAl"), InterpolationCubic);
    const float delays[8] = {9.0f, 13.5f, 11.0f, 16.0f, 19.5f, 7.5f, 22.0f, 14.5f};
    const float depths[8] = {3.0f, 4.5f, 3.5f, 5.0f, 6.0f, 2.5f, 5.5f, 4.0f};
    for (unsigned voice = 1; voice <= 8; ++voice)
    {
        const std::string n = std::to_string(voice);
        const float pan =
            (voice % 2 ? -1.0f : 1.0f) * (0.25f + 0.75f * float((voice - 1) / 2) / 3.0f);
        a_builder.set("Del" + n, delays[voice - 1]);
        a_builder.set("Dep" + n, depths[voice - 1]);
        a_builder.set("OPa" + n, pan);
        a_builder.set("IPa" + n, -pan * 0.5f);
        a_builder.set("OGa" + n, 0.45f);
    }
    a_builder.set("Dry ", 0.55f);
    a_builder.set("Wet ", 0.8f);
    Tonvik::LfoModulator* odd =
        a_builder.add_pitch_lfo({1, 3, 5, 7}, 0.37f, WaveformSineHighPrecision, 1.0f, 1.0f);
    Tonvik::LfoModulator* even =
        a_builder.add_pitch_lfo({2, 4, 6, 8}, 0.53f, WaveformSineHighPrecision, 1.0f, 1.0f);
    a_builder.assign(0, odd->get_frequency_factor_parameter());
    a_builder.assign(1, even->get_frequency_factor_parameter());
}

// Two voices panned hard apart at short, different delays with a touch of slow movement: a wider
// copy of the source rather than an audible chorus.
void build_subtle_doubler(PresetBuilder& a_builder)
{
    a_builder.enable_voices(2);
    a_builder.set("Del1", 11.0f);
    a_builder.set("Del2", 17.0f);
    a_builder.set("Dep1", 0.6f);
    a_builder.set("Dep2", 0.8f);
    a_builder.set("OPa1", -1.0f);
    a_builder.set("OPa2", 1.0f);
    a_builder.set("Dry ", 0.8f);
    a_builder.set("Wet ", 0.45f);
    a_builder.add_pitch_lfo({1, 2}, 0.2f, WaveformTriangle, 1.0f, 1.0f);
}

// Six voices drifting with one triangle LFO locked to the host tempo: one cycle every two bars.
void build_slow_ensemble(PresetBuilder& a_builder)
{
    a_builder.enable_voices(6);
    const float delays[6] = {12.0f, 18.0f, 24.0f, 15.0f, 21.0f, 27.0f};
    const float pans[6] = {-0.9f, 0.9f, -0.4f, 0.4f, -0.1f, 0.1f};
    for (unsigned voice = 1; voice <= 6; ++voice)
    {
        const std::string n = std::to_string(voice);
        a_builder.set("Del" + n, delays[voice - 1]);
        a_builder.set("Dep" + n, 7.0f);
        a_builder.set("OPa" + n, pans[voice - 1]);
        a_builder.set("OGa" + n, 0.55f);
    }
    a_builder.set("Dry ", 0.6f);
    a_builder.set("Wet ", 0.7f);
    Tonvik::LfoModulator* lfo =
        a_builder.add_pitch_lfo({1, 2, 3, 4, 5, 6}, 1.0f, WaveformTriangle, 1.0f, 1.0f);
    a_builder.set_choice(*lfo->get_synchronization_parameter(), SynchronizationTempo);
    // Whole 1 plus 1/1: two whole notes per cycle.
    lfo->get_whole_parameter()->set_value(1);
    lfo->get_numerator_parameter()->set_value(1);
    lfo->get_denominator_parameter()->set_value(1);
}

struct FactoryPreset
{
    const char* name;
    std::function<void(PresetBuilder&)> build;
};

} // namespace

int main(int a_argc, char** a_argv)
{
    if (a_argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", a_argv[0]);
        return 2;
    }
    const fs::path output = a_argv[1];
    const FactoryPreset presets[] = {
        {"Lush Chorus", build_lush_chorus},
        {"Subtle Doubler", build_subtle_doubler},
        {"Slow Ensemble", build_slow_ensemble},
    };
    std::random_device random;
    // The device wants settings folders; these stay out of the user's own.
    const fs::path scratch =
        fs::temp_directory_path() / ("quorlin-factory-presets-" + std::to_string(random()));
    int status = 0;
    try
    {
        fs::create_directories(output);
        for (const FactoryPreset& preset : presets)
        {
            PresetBuilder builder(scratch);
            preset.build(builder);
            const fs::path file = output / (std::string(preset.name) + ".preset");
            builder.save(file);
            std::printf("%s\n", file.string().c_str());
        }
    }
    catch (const Bex::Exception& failure)
    {
        std::fprintf(stderr, "factory presets: %s\n", failure.describe().c_str());
        status = 1;
    }
    catch (const std::exception& failure)
    {
        std::fprintf(stderr, "factory presets: %s\n", failure.what());
        status = 1;
    }
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
    return status;
}
