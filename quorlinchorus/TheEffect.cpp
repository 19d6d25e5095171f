#include "quorlinchorus/TheEffect.h"

#include "bex/Core/FormatMessage.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceProgramBuilder.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"
#include "tonvik/ParameterTypes/UnitConversions.h"
#include "tonvik/ParameterTypes/Units.h"
#include "tonvik/Parameters/CommittableCallback.h"

#include <string>

using namespace Tonvik;

namespace quorlinchorus
{

namespace
{

struct Interval
{
    float m_start;
    float m_end;
    float m_default;
    uint32_t m_origin;
};

FloatParameter* make_float(uint32_t a_id, const Bex::String& a_name, float* a_output)
{
    FloatParameter* parameter = new FloatParameter();
    parameter->set_id(a_id);
    parameter->set_name(a_name);
    parameter->set_short_name(a_name);
    parameter->m_output = a_output;
    parameter->m_vector_size = SubBlockSize;
    parameter->m_modulatable = true;
    return parameter;
}

void add_variation(FloatParameter* a_parameter, uint32_t a_id, const char16_t* a_name,
                   uint32_t a_unit, uint32_t a_conversion, const Interval& a_interval,
                   bool a_default)
{
    a_parameter->append_float_variation(a_id, Bex::String(a_name), a_unit, a_interval.m_start,
                                        a_interval.m_end, a_interval.m_default, 0, a_conversion,
                                        a_interval.m_origin, a_default);
}

// One "Default" variation.
FloatParameter* make_simple(uint32_t a_id, const Bex::String& a_name, uint32_t a_unit,
                            uint32_t a_conversion, const Interval& a_interval, float* a_output)
{
    FloatParameter* parameter = make_float(a_id, a_name, a_output);
    add_variation(parameter, 1, u"Default", a_unit, a_conversion, a_interval, true);
    return parameter;
}

// Gains (default 1) and mix levels (default 0.5): without inversion, with inversion, bipolar.
FloatParameter* make_level(uint32_t a_id, const Bex::String& a_name, float a_default,
                           float* a_output)
{
    FloatParameter* parameter = make_float(a_id, a_name, a_output);
    add_variation(parameter, 1, u"Without inversion", Unit_NONE, ConversionType_IDENTITY,
                  {0.0f, 1.0f, a_default, EditorOrigin_START}, true);
    add_variation(parameter, 2, u"With inversion", Unit_NONE, ConversionType_IDENTITY,
                  {0.0f, -1.0f, -a_default, EditorOrigin_START_SWAPPED}, false);
    add_variation(parameter, 3, u"Bipolar", Unit_NONE, ConversionType_IDENTITY,
                  {-1.0f, 1.0f, a_default, EditorOrigin_MIDDLE}, false);
    return parameter;
}

uint32_t voice_id(const char* a_prefix, unsigned a_voice)
{
    const char text[4] = {a_prefix[0], a_prefix[1], a_prefix[2], char('1' + a_voice)};
    return Bex::make_id(std::string_view(text, 4));
}

Bex::String voice_name(const char16_t* a_template, unsigned a_voice)
{
    return Bex::format_message(a_template, {Bex::String::from_number(a_voice + 1)});
}

} // namespace

TheEffect::TheEffect()
{
    DeviceStaticConfig& cfg = m_static_config;
    cfg.m_plugin_internal_version = 1;
    cfg.m_plugin_name = u"Quorlin Chorus";
    cfg.m_plugin_unique_id = int32_t(0xFFFFFE32u);
    cfg.m_plugin_vendor = u"Quorlin Plugins";
    cfg.m_plugin_version_string = u"0.9.1";
    cfg.m_application_folder_name = u"Quorlin Chorus";
    cfg.m_common_internal_data_folder_name = u"Internal";
    cfg.m_initial_preset_name = u"Initial";
    cfg.m_preset_file_extension = u"preset";
    cfg.m_preset_folder_name = u"Presets";
    cfg.m_preset_preamble_part = "Preset";
    cfg.m_maximum_preset_folder_depth = 10;
    cfg.m_maximum_preset_entries = 10000;
    cfg.m_use_vendor_folder = true;
    cfg.m_vendor_folder_name = u"Quorlin Plugins";
    cfg.m_maximum_modulators = 50;
    cfg.m_maximum_entries_per_modulator = 50;
    m_input_count = 2;
    m_output_count = 2;
}

void TheEffect::build_program()
{
    m_engine.m_processing_kernel = nullptr;
    DeviceProgramBuilder builder(*get_program());
    p_build_global_parameters(builder);
    builder.begin_group(Bex::make_id("Assi"), u"Assignable");
    builder.add_assignable_parameters();
    builder.end_group();
    p_build_voice_parameters(builder);
    on_sample_rate_changed();
    m_input_count = 2;
    m_output_count = 2;
}

void TheEffect::p_build_global_parameters(DeviceProgramBuilder& a_builder)
{
    a_builder.add_parameter(make_level(Bex::make_id("Dry "), u"Dry", 0.5f, m_engine.m_dry));
    a_builder.add_parameter(make_simple(Bex::make_id("GlGa"), u"Global gain", Unit_DECIBELS,
                                        ConversionType_DECIBELS_TO_AMPLITUDE_RATIO,
                                        {-20.0f, 20.0f, 0.0f, EditorOrigin_MIDDLE},
                                        m_engine.m_global_gain));
    a_builder.add_parameter(
        make_simple(Bex::make_id("InSt"), u"Input stereo", Unit_NONE, ConversionType_IDENTITY,
                    {0.0f, 1.0f, 1.0f, EditorOrigin_START}, m_engine.m_input_stereo));

    auto* interpolation = new P_TypedChoice<InterpolationAlgorithm>();
    interpolation->set_id(Bex::make_id("InAl"));
    interpolation->set_name(u"Interpolation");
    interpolation->append_option(1, u"Linear", InterpolationAlgorithm_LINEAR);
    interpolation->append_option(2, u"Cubic", InterpolationAlgorithm_CUBIC);
    interpolation->m_default_value = InterpolationAlgorithm_LINEAR;
    interpolation->m_variable = &m_engine.m_interpolation;
    a_builder.add_parameter(interpolation);

    a_builder.add_parameter(
        make_simple(Bex::make_id("OuSt"), u"Output stereo", Unit_NONE, ConversionType_IDENTITY,
                    {0.0f, 1.0f, 1.0f, EditorOrigin_START}, m_engine.m_output_stereo));

    auto* mode = new P_TypedChoice<ChorusEngine::ProcessingKernel>();
    mode->set_id(Bex::make_id("PrMo"));
    mode->set_name(u"Processing mode");
    mode->append_option(1, u"2 buffers", &ChorusEngine::process_two_buffers,
                        u"2 buffers, input pan applied when reading, input gain ignored");
    mode->append_option(2, u"8 buffers", &ChorusEngine::process_eight_buffers,
                        u"8 buffers, input pan applied when writing");
    mode->m_default_value = &ChorusEngine::process_eight_buffers;
    mode->m_variable = &m_engine.m_processing_kernel;
    a_builder.add_parameter(mode);

    a_builder.add_parameter(make_level(Bex::make_id("Wet "), u"Wet", 0.5f, m_engine.m_wet));
}

void TheEffect::p_build_voice_parameters(DeviceProgramBuilder& a_builder)
{
    CommittableCallback* active_voices =
        new CommittableMethodCallback<TheEffect>(this, &TheEffect::p_update_active_voices);
    const uint32_t ms = Unit_MILLISECONDS;
    const uint32_t to_frames = ConversionType_MILLISECONDS_TO_FRAMES;
    // Voice 1 sits left, voice 2 right, the others in the middle.
    auto pan_default = [](unsigned a_voice) {
        return a_voice == 0 ? -1.0f : a_voice == 1 ? 1.0f : 0.0f;
    };

    a_builder.begin_group(Bex::make_id("Dela"), u"Delay");
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        a_builder.add_parameter(make_simple(voice_id("Del", v), voice_name(u"Delay @1", v), ms,
                                            to_frames, {0.0f, 50.0f, 15.0f, EditorOrigin_START},
                                            m_engine.m_voices[v].m_delay));
    a_builder.end_group();

    a_builder.begin_group(Bex::make_id("Dept"), u"Depth");
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        a_builder.add_parameter(make_simple(voice_id("Dep", v), voice_name(u"Depth @1", v), ms,
                                            to_frames, {0.0f, 50.0f, 5.0f, EditorOrigin_START},
                                            m_engine.m_voices[v].m_depth));
    a_builder.end_group();

    a_builder.begin_group(Bex::make_id("Enab"), u"Enabled");
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
    {
        P_Boolean* enabled = new P_Boolean();
        enabled->set_id(voice_id("Ena", v));
        enabled->set_name(voice_name(u"Enabled @1", v));
        enabled->set_short_name(enabled->get_name());
        enabled->m_default = v < 2;
        enabled->m_variable = &m_engine.m_voices[v].m_enabled;
        enabled->set_committable_callback(active_voices);
        a_builder.add_parameter(enabled);
    }
    a_builder.end_group();

    a_builder.begin_group(Bex::make_id("InGa"), u"Input gain");
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        a_builder.add_parameter(make_level(voice_id("IGa", v), voice_name(u"Input gain @1", v),
                                           1.0f, m_engine.m_voices[v].m_input_gain));
    a_builder.end_group();

    a_builder.begin_group(Bex::make_id("InPa"), u"Input pan");
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        a_builder.add_parameter(make_simple(
            voice_id("IPa", v), voice_name(u"Input pan @1", v), Unit_NONE, ConversionType_IDENTITY,
            {-1.0f, 1.0f, pan_default(v), EditorOrigin_MIDDLE}, m_engine.m_voices[v].m_input_pan));
    a_builder.end_group();

    a_builder.begin_group(Bex::make_id("OuGa"), u"Output gain");
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        a_builder.add_parameter(make_level(voice_id("OGa", v), voice_name(u"Output gain @1", v),
                                           1.0f, m_engine.m_voices[v].m_output_gain));
    a_builder.end_group();

    a_builder.begin_group(Bex::make_id("OuPa"), u"Output pan");
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        a_builder.add_parameter(make_simple(
            voice_id("OPa", v), voice_name(u"Output pan @1", v), Unit_NONE, ConversionType_IDENTITY,
            {-1.0f, 1.0f, pan_default(v), EditorOrigin_MIDDLE}, m_engine.m_voices[v].m_output_pan));
    a_builder.end_group();
}

void TheEffect::p_update_active_voices()
{
    m_engine.update_active_voices();
}

void TheEffect::on_sample_rate_changed()
{
    m_engine.set_sample_rate(get_sample_rate());
}

void TheEffect::run_kernel(const DeviceProcessIo& a_io, uint32_t a_count)
{
    m_engine.process_sub_block(a_io.m_inputs[0], a_io.m_inputs[1], a_io.m_outputs[0],
                               a_io.m_outputs[1], a_count);
}

void TheEffect::process_block(const DeviceProcessIo& a_io)
{
    run_kernel(a_io, SubBlockSize);
}

void TheEffect::process_partial_completion(const DeviceProcessIo& a_io, uint32_t a_count)
{
    run_kernel(a_io, a_count);
}

void TheEffect::process_partial_within(const DeviceProcessIo& a_io, uint32_t a_count)
{
    run_kernel(a_io, a_count);
}

void TheEffect::process_partial_tail(const DeviceProcessIo& a_io, uint32_t a_count)
{
    run_kernel(a_io, a_count);
}

} // namespace quorlinchorus
