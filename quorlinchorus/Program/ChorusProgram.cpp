#include "quorlinchorus/Program/ChorusProgram.h"

#include "bex/Core/FormatMessage.h"
#include "bex/Core/Id.h"
#include "quorlinchorus/Engine/ChorusEngine.h"
#include "quorlinchorus/Program/ChorusOptions.h"
#include "tonvik/Devices/DeviceProgramBuilder.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/UnitConversions.h"
#include "tonvik/ParameterTypes/Units.h"

#include <string_view>

using namespace Tonvik;

namespace quorlinchorus
{

namespace
{

struct VariationDefinition
{
    uint32_t m_id;
    const char16_t* m_name;
    float m_start;
    float m_end;
    float m_default;
    uint32_t m_origin;
};

struct UnitDefinition
{
    uint32_t m_unit;
    uint32_t m_conversion;
};

constexpr UnitDefinition Plain{Unit_NONE, ConversionType_IDENTITY};
constexpr UnitDefinition Milliseconds{Unit_MILLISECONDS, ConversionType_MILLISECONDS_TO_FRAMES};
constexpr UnitDefinition Decibels{Unit_DECIBELS, ConversionType_DECIBELS_TO_AMPLITUDE_RATIO};

// Gains: set A. The default variation comes first in every set but the offsets'.
constexpr VariationDefinition GainSet[] = {
    {1, u"Without inversion", 0.0f, 1.0f, 1.0f, EditorOrigin_START},
    {2, u"With inversion", 0.0f, -1.0f, -1.0f, EditorOrigin_START_SWAPPED},
    {3, u"Bipolar", -1.0f, 1.0f, 1.0f, EditorOrigin_MIDDLE},
};
// Dry and wet: set B.
constexpr VariationDefinition MixSet[] = {
    {1, u"Without inversion", 0.0f, 1.0f, 0.5f, EditorOrigin_START},
    {2, u"With inversion", 0.0f, -1.0f, -0.5f, EditorOrigin_START_SWAPPED},
    {3, u"Bipolar", -1.0f, 1.0f, 0.5f, EditorOrigin_MIDDLE},
};
// Delay and depth offsets in milliseconds: set C, whose default is the third.
constexpr VariationDefinition OffsetSet[] = {
    {1, u"Add", 0.0f, 50.0f, 0.0f, EditorOrigin_START},
    {2, u"Subtract", 0.0f, -50.0f, 0.0f, EditorOrigin_START_SWAPPED},
    {3, u"Add/Subtract", -50.0f, 50.0f, 0.0f, EditorOrigin_MIDDLE},
};
constexpr VariationDefinition ScaleVariation{1,    u"0 to 1, linear", 0.0f, 1.0f,
                                             1.0f, EditorOrigin_START};
constexpr VariationDefinition StereoVariation{1, u"Default", 0.0f, 1.0f, 1.0f, EditorOrigin_START};
constexpr VariationDefinition GlobalGainVariation{1,     u"Default", -20.0f,
                                                  20.0f, 0.0f,       EditorOrigin_MIDDLE};

void set_names(Parameter& a_parameter, uint32_t a_id, const Bex::String& a_name,
               const Bex::String& a_short_name)
{
    a_parameter.set_id(a_id);
    a_parameter.set_name(a_name);
    a_parameter.set_short_name(a_short_name);
}

void append_variation(FloatParameter& a_parameter, const VariationDefinition& a_definition,
                      const UnitDefinition& a_unit, bool a_make_default)
{
    FloatParameterVariation* variation = a_parameter.append_float_variation(
        a_definition.m_id, Bex::String(a_definition.m_name), a_unit.m_unit, a_definition.m_start,
        a_definition.m_end, a_definition.m_default, 0, a_unit.m_conversion, a_definition.m_origin,
        a_make_default);
    variation->m_modulation_word = 1;
}

// Linear, modulatable, writing 16 per-sample internal values into a_output.
FloatParameter* make_float(uint32_t a_id, const Bex::String& a_name, const Bex::String& a_short,
                           float* a_output)
{
    FloatParameter* parameter = new FloatParameter();
    set_names(*parameter, a_id, a_name, a_short);
    parameter->m_output = a_output;
    parameter->m_vector_size = SubBlockSize;
    parameter->m_modulatable = true;
    return parameter;
}

FloatParameter* make_float(uint32_t a_id, const Bex::String& a_name, const Bex::String& a_short,
                           const UnitDefinition& a_unit, const VariationDefinition& a_variation,
                           float* a_output)
{
    FloatParameter* parameter = make_float(a_id, a_name, a_short, a_output);
    append_variation(*parameter, a_variation, a_unit, true);
    return parameter;
}

template <size_t N>
FloatParameter* make_float(uint32_t a_id, const Bex::String& a_name, const UnitDefinition& a_unit,
                           const VariationDefinition (&a_set)[N], uint32_t a_default_id,
                           float* a_output)
{
    FloatParameter* parameter = make_float(a_id, a_name, a_name, a_output);
    for (const VariationDefinition& definition : a_set)
        append_variation(*parameter, definition, a_unit, definition.m_id == a_default_id);
    return parameter;
}

template <typename T>
P_TypedChoice<T>* make_choice(uint32_t a_id, const Bex::String& a_name, const Bex::String& a_short,
                              void (*a_append_options)(P_TypedChoice<T>&), T* a_variable)
{
    auto* choice = new P_TypedChoice<T>();
    set_names(*choice, a_id, a_name, a_short);
    a_append_options(*choice);
    choice->m_variable = a_variable;
    return choice;
}

uint32_t voice_id(std::string_view a_prefix, unsigned a_voice)
{
    const char text[4] = {a_prefix[0], a_prefix[1], a_prefix[2], char('1' + a_voice)};
    return Bex::make_id(std::string_view(text, 4));
}

// The voice number 1 to 8 in place of "%d".
Bex::String voice_text(std::u16string_view a_template, unsigned a_voice)
{
    Bex::String text(a_template);
    const size_t at = text.find(u"%d");
    text.replace(at, 2, Bex::String::from_number(a_voice + 1));
    return text;
}

// Voice 1 sits left, voice 2 right, the others in the middle.
float default_pan(unsigned a_voice)
{
    return a_voice == 0 ? -1.0f : a_voice == 1 ? 1.0f : 0.0f;
}

void build_globals(DeviceProgramBuilder& a_builder, ChorusEngine& a_engine,
                   CommittableCallback* a_voice_callback)
{
    auto id = [](std::string_view a_code) { return Bex::make_id(a_code); };
    a_builder.add_parameter(make_choice(id("DlTr"), u"Delay transformation",
                                        u"Delay transformation", &append_transformation_options,
                                        &a_engine.m_delay_transformation));
    a_builder.add_parameter(make_float(id("DlOf"), u"Delay offset", Milliseconds, OffsetSet, 3,
                                       a_engine.m_delay_offset));
    a_builder.add_parameter(make_float(id("DlSc"), u"Delay scale", u"Delay scale", Plain,
                                       ScaleVariation, a_engine.m_delay_scale));
    a_builder.add_parameter(make_choice(id("DpTr"), u"Depth transformation",
                                        u"Depth transformation", &append_transformation_options,
                                        &a_engine.m_depth_transformation));
    a_builder.add_parameter(make_float(id("DpOf"), u"Depth offset", Milliseconds, OffsetSet, 3,
                                       a_engine.m_depth_offset));
    a_builder.add_parameter(make_float(id("DpSc"), u"Depth scale", u"Depth scale", Plain,
                                       ScaleVariation, a_engine.m_depth_scale));
    a_builder.add_parameter(make_float(id("Dry "), u"Dry", Plain, MixSet, 1, a_engine.m_dry));
    a_builder.add_parameter(make_float(id("GlGa"), u"Global gain", u"Global gain", Decibels,
                                       GlobalGainVariation, a_engine.m_global_gain));
    a_builder.add_parameter(make_float(id("InSt"), u"Input stereo", u"Input stereo", Plain,
                                       StereoVariation, a_engine.m_input_stereo));
    a_builder.add_parameter(make_choice(id("InAl"), u"Interpolation", u"Interpolation",
                                        &append_interpolation_options, &a_engine.m_interpolation));
    a_builder.add_parameter(make_float(id("OuSt"), u"Output stereo", u"Output stereo", Plain,
                                       StereoVariation, a_engine.m_output_stereo));
    auto* mode = make_choice(id("PrMo"), u"Processing mode", u"Processing mode",
                             &append_processing_mode_options, &a_engine.m_processing_kernel);
    // A mode brings its delay memory back into use, as switching a voice on does its channel.
    mode->set_committable_callback(a_voice_callback);
    a_builder.add_parameter(mode);
    a_builder.add_parameter(make_float(id("Wet "), u"Wet", Plain, MixSet, 1, a_engine.m_wet));
}

// One voice group: what a_make returns for voices 1 to 8.
template <typename Make>
void build_voice_group(DeviceProgramBuilder& a_builder, std::string_view a_group_id,
                       const char16_t* a_group_name, Make&& a_make)
{
    a_builder.begin_group(Bex::make_id(a_group_id), Bex::String(a_group_name));
    for (unsigned voice = 0; voice < ChorusEngine::VoiceCount; ++voice)
        a_builder.add_parameter(a_make(voice));
    a_builder.end_group();
}

P_Boolean* make_flag(std::string_view a_prefix, std::u16string_view a_template, unsigned a_voice,
                     bool a_default, bool* a_variable, CommittableCallback* a_callback)
{
    P_Boolean* flag = new P_Boolean();
    const Bex::String name = voice_text(a_template, a_voice);
    set_names(*flag, voice_id(a_prefix, a_voice), name, name);
    flag->m_default = a_default;
    flag->m_variable = a_variable;
    flag->set_committable_callback(a_callback);
    return flag;
}

template <size_t N>
FloatParameter* make_voice_float(std::string_view a_prefix, std::u16string_view a_template,
                                 unsigned a_voice, const UnitDefinition& a_unit,
                                 const VariationDefinition (&a_set)[N], float* a_output)
{
    const Bex::String name = voice_text(a_template, a_voice);
    FloatParameter* parameter = make_float(voice_id(a_prefix, a_voice), name, name, a_output);
    for (const VariationDefinition& definition : a_set)
        append_variation(*parameter, definition, a_unit, definition.m_id == 1);
    return parameter;
}

// Voices start spread across the stereo field; input and output pans share the definition.
FloatParameter* make_voice_pan(std::string_view a_prefix, std::u16string_view a_template,
                               unsigned a_voice, float* a_output)
{
    const VariationDefinition pan[] = {
        {1, u"Default", -1.0f, 1.0f, default_pan(a_voice), EditorOrigin_MIDDLE}};
    return make_voice_float(a_prefix, a_template, a_voice, Plain, pan, a_output);
}

void build_voices(DeviceProgramBuilder& a_builder, ChorusEngine& a_engine,
                  CommittableCallback* a_voice_callback)
{
    ChorusVoice* voices = a_engine.m_voices;
    const VariationDefinition delay[] = {{1, u"Default", 0.0f, 50.0f, 15.0f, EditorOrigin_START}};
    const VariationDefinition depth[] = {{1, u"Default", 0.0f, 50.0f, 5.0f, EditorOrigin_START}};

    build_voice_group(a_builder, "Dela", u"Delay",
                      [&](unsigned v) {
                          return make_voice_float("Del", u"Delay %d", v, Milliseconds, delay,
                                                  voices[v].m_delay);
                      });
    build_voice_group(a_builder, "Dept", u"Depth",
                      [&](unsigned v) {
                          return make_voice_float("Dep", u"Depth %d", v, Milliseconds, depth,
                                                  voices[v].m_depth);
                      });
    build_voice_group(a_builder, "Enab", u"Enabled",
                      [&](unsigned v) {
                          return make_flag("Ena", u"Enabled %d", v, v < 2, &voices[v].m_enabled,
                                           a_voice_callback);
                      });
    build_voice_group(a_builder, "InGa", u"Input gain",
                      [&](unsigned v) {
                          return make_voice_float("IGa", u"Input gain %d", v, Plain, GainSet,
                                                  voices[v].m_input_gain);
                      });
    build_voice_group(a_builder, "InPa", u"Input pan",
                      [&](unsigned v)
                      { return make_voice_pan("IPa", u"Input pan %d", v, voices[v].m_input_pan); });
    build_voice_group(a_builder, "InPL", u"Input panning law",
                      [&](unsigned v)
                      {
                          return make_choice(voice_id("IPL", v),
                                             voice_text(u"Input panning law %d", v),
                                             voice_text(u"In pan law %d", v),
                                             &append_pan_law_options, &voices[v].m_input_pan_law);
                      });
    build_voice_group(a_builder, "OuGa", u"Output gain",
                      [&](unsigned v) {
                          return make_voice_float("OGa", u"Output gain %d", v, Plain, GainSet,
                                                  voices[v].m_output_gain);
                      });
    build_voice_group(a_builder, "OuPa", u"Output pan",
                      [&](unsigned v) {
                          return make_voice_pan("OPa", u"Output pan %d", v, voices[v].m_output_pan);
                      });
    build_voice_group(a_builder, "OuPL", u"Output panning law",
                      [&](unsigned v)
                      {
                          return make_choice(voice_id("OPL", v),
                                             voice_text(u"Output panning law %d", v),
                                             voice_text(u"Out pan law %d", v),
                                             &append_pan_law_options, &voices[v].m_output_pan_law);
                      });
    // A modulation input rather than a setting: neither saved nor shown to the host, and its one
    // variation is not marked as the default.
    build_voice_group(a_builder, "PiMo", u"Pitch modulation",
                      [&](unsigned v)
                      {
                          FloatParameter* parameter =
                              make_float(voice_id("PiM", v), voice_text(u"Pitch modulation %d", v),
                                         voice_text(u"Pitch mod %d", v), nullptr);
                          parameter->set_output(voices[v].m_pitch_modulation);
                          append_variation(*parameter,
                                           {1, u"Default", 0.0f, 1.0f, 0.0f, EditorOrigin_UNSET},
                                           Plain, false);
                          return parameter;
                      });
    build_voice_group(
        a_builder, "Solo", u"Solo",
        [&](unsigned v)
        { return make_flag("Sol", u"Solo %d", v, false, &voices[v].m_solo, a_voice_callback); });
}

} // namespace

void build_chorus_program(DeviceProgramBuilder& a_builder, ChorusEngine& a_engine,
                          CommittableCallback* a_voice_callback)
{
    build_globals(a_builder, a_engine, a_voice_callback);
    a_builder.begin_group(Bex::make_id("Assi"), u"Assignable");
    a_builder.add_assignable_parameters();
    a_builder.end_group();
    build_voices(a_builder, a_engine, a_voice_callback);
}

} // namespace quorlinchorus
