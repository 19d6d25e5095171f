#include "tonvik/Modulation/LfoModulator.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/P_MusicalTrigger.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/Modulation/LfoPhase.h"
#include "tonvik/Modulation/ModificationType.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/P_Integer.h"

#include <cmath>
#include <emmintrin.h>

namespace Tonvik
{

namespace
{

struct OptionRow
{
    uint32_t m_id;
    const char16_t* m_name;
    uint32_t m_value;
    const char16_t* m_display;
};

P_TypedChoice<uint32_t>* make_choice(const char* a_id, const char16_t* a_name,
                                     std::initializer_list<OptionRow> a_rows, uint32_t a_default,
                                     uint32_t* a_variable)
{
    auto* choice = new P_TypedChoice<uint32_t>();
    choice->set_id(Bex::make_id(a_id));
    choice->set_name(a_name);
    choice->begin_options();
    for (const OptionRow& row : a_rows)
        choice->append_option(row.m_id, row.m_name, row.m_value,
                              row.m_display ? Bex::String(row.m_display) : Bex::String());
    choice->end_options();
    choice->m_default_value = a_default;
    choice->m_variable = a_variable;
    return choice;
}

P_Integer* make_integer(const char* a_id, const char16_t* a_name, int32_t a_start, int32_t a_end,
                        int32_t a_default, int32_t* a_variable)
{
    auto* integer = new P_Integer();
    integer->set_id(Bex::make_id(a_id));
    integer->set_name(a_name);
    integer->m_interval_start = a_start;
    integer->m_interval_end = a_end;
    integer->m_default = a_default;
    integer->m_variable = a_variable;
    return integer;
}

double modifier_factor(uint32_t a_modifier)
{
    switch (a_modifier)
    {
    case LfoSynchronizationModifier_DOT:
        return 3.0 / 2.0;
    case LfoSynchronizationModifier_TWO_DOTS:
        return 7.0 / 4.0;
    case LfoSynchronizationModifier_THREE_DOTS:
        return 15.0 / 8.0;
    case LfoSynchronizationModifier_TRIPLET:
        return 2.0 / 3.0;
    default:
        return 1.0;
    }
}

// Adds a phase offset modulo 1. Phases lie in [0, 1), where adding zero and keeping the fraction
// changes nothing, so the usual offset of zero in every lane is skipped.
inline void add_offset(float* a_phase, const float* a_offset)
{
    __m128 zero = _mm_cmpeq_ps(_mm_loadu_ps(a_offset), _mm_setzero_ps());
    for (uint32_t i = 4; i < 16; i += 4)
        zero = _mm_and_ps(zero, _mm_cmpeq_ps(_mm_loadu_ps(a_offset + i), _mm_setzero_ps()));
    if (_mm_movemask_ps(zero) == 0xF)
        return;
    for (uint32_t i = 0; i < 16; i += 4)
        _mm_storeu_ps(a_phase + i,
                      add_modulo_one(_mm_loadu_ps(a_phase + i), _mm_loadu_ps(a_offset + i)));
}

void set_loaded_integer(P_Integer* a_parameter, int32_t a_value)
{
    a_parameter->m_value = a_value;
    a_parameter->m_normalize(a_parameter);
}

} // namespace

LfoModulatorEntry::LfoModulatorEntry(Modulator* a_modulator) : ModifyingModulatorEntry(a_modulator)
{
    m_start_phase_group_parameter = new P_Boolean();
    m_start_phase_group_parameter->set_id(3);
    m_start_phase_group_parameter->set_name(u"Start phase group");
    m_start_phase_group_parameter->m_variable = &m_start_phase_group;
    // Regrouping rebinds the entries: a structural change, made at once.
    m_start_phase_group_parameter->m_deferred_commit = false;
    m_start_phase_group_parameter->set_committable_callback(
        p_callback(this, &LfoModulatorEntry::p_on_grouping_changed));
    p_add_parameter(m_start_phase_group_parameter);

    m_phase_parameter = new Parameter_Modifier(4, u"Phase", 0.0f, 1.0f, 0.0f, u"%.4f", true);
    p_add_parameter(m_phase_parameter);
}

LfoModulator::LfoModulator(ModulationManager* a_manager)
    : ModifyingModulator(a_manager, ModulatorType_LFO)
{
    p_create_smoothing_parameters(true, SmoothingLogic_IF_NECESSARY);

    m_frequency_factor = new Parameter_Modifier(Bex::make_id("FrFa"), u"Frequency factor", 0.03125f,
                                                32.0f, 1.0f, u"%.2f", true);
    // Factors are heard as ratios: equal steps of the control multiply the frequency.
    m_frequency_factor->m_auto_variation->m_exponential = 1;
    p_add_parameter(m_frequency_factor);
    m_phase_offset =
        new Parameter_Modifier(Bex::make_id("PhOf"), u"Phase", 0.0f, 1.0f, 0.0f, u"%g", true);
    p_add_parameter(m_phase_offset);

    m_retrigger_key_parameter = new P_RetriggerReason();
    m_retrigger_key_parameter->set_id(Bex::make_id("ReRe"));
    m_retrigger_key_parameter->set_name(u"Retrigger key");
    m_retrigger_key_parameter->m_default = -1;
    m_retrigger_key_parameter->m_variable = &m_retrigger_key;
    p_add_parameter(m_retrigger_key_parameter);

    if (MusicalTriggerManager* triggers = a_manager->get_trigger_manager())
    {
        m_retrigger_reason = new P_ReceivedMusicalTrigger(
            triggers, false, &LfoModulator::p_on_trigger_received, this);
        m_retrigger_reason->set_id(Bex::make_id("ReTr"));
        m_retrigger_reason->set_name(u"Retrigger reason");
        p_add_parameter(m_retrigger_reason);
    }

    CommittableCallback* synchronization =
        p_callback(this, &LfoModulator::p_on_synchronization_changed);
    m_whole = make_integer("SyWh", u"Cycle duration whole", 0, 256, 0, &m_whole_value);
    m_numerator = make_integer("SyNu", u"Cycle duration numerator", 1, 256, 1, &m_numerator_value);
    m_denominator =
        make_integer("SyDe", u"Cycle duration denominator", 1, 256, 1, &m_denominator_value);
    m_modifier = make_choice("SyMo", u"Cycle duration modifier",
                             {{1, u"---", LfoSynchronizationModifier_NONE, nullptr},
                              {2, u"Dot", LfoSynchronizationModifier_DOT, nullptr},
                              {3, u"2Do", LfoSynchronizationModifier_TWO_DOTS, u"2 dots"},
                              {4, u"3Do", LfoSynchronizationModifier_THREE_DOTS, u"3 dots"},
                              {5, u"Tri", LfoSynchronizationModifier_TRIPLET, u"Triplet"}},
                             LfoSynchronizationModifier_NONE, &m_modifier_value);
    m_synchronization =
        make_choice("SyTy", u"Synchronization type",
                    {{1, u"Seconds", LfoSynchronizationType_SECONDS,
                      u"Seconds - tempo and song position ignored, cycle duration in seconds"},
                     {2, u"Tempo", LfoSynchronizationType_TEMPO,
                      u"Tempo - song position ignored, cycle duration in full notes"},
                     {3, u"Song position", LfoSynchronizationType_SONG_POSITION,
                      u"Song position - cycle duration in full notes"}},
                    LfoSynchronizationType_SECONDS, &m_synchronization_value);
    for (Parameter* parameter :
         {static_cast<Parameter*>(m_whole), static_cast<Parameter*>(m_numerator),
          static_cast<Parameter*>(m_denominator), static_cast<Parameter*>(m_modifier),
          static_cast<Parameter*>(m_synchronization)})
    {
        parameter->set_committable_callback(synchronization);
        p_add_parameter(parameter);
    }

    m_waveform = make_choice(
        "Wave", u"Waveform",
        {{1, u"Pulse", LfoModulatorWaveform_PULSE, nullptr},
         {2, u"Saw", LfoModulatorWaveform_SAW, nullptr},
         {3, u"Sine (hp)", LfoModulatorWaveform_SINE_HIGH_PRECISION, u"Sine (high precision)"},
         {4, u"Sine (lp)", LfoModulatorWaveform_SINE_LOW_PRECISION, u"Sine (low precision)"},
         {5, u"Square", LfoModulatorWaveform_SQUARE, nullptr},
         {6, u"Triangle", LfoModulatorWaveform_TRIANGLE, nullptr}},
        LfoModulatorWaveform_SINE_LOW_PRECISION, &m_waveform_value);
    m_waveform->set_committable_callback(p_callback(this, &LfoModulator::p_on_waveform_changed));
    p_add_parameter(m_waveform);

    m_pwm = new Parameter_Modifier(Bex::make_id("WaPa"), u"Pwm", 0.0f, 1.0f, 0.5f, u"%g", true);
    p_add_parameter(m_pwm);

    const LfoWaveformInfo waveform = get_lfo_waveform(m_waveform_value);
    m_waveform_function = waveform.m_function;
    m_discontinuous = waveform.m_discontinuous;
    p_set_group_count(1);
    m_group_offsets.push_back(nullptr);
    p_bind_group_outputs();

    add_handler(ModulatorEventKind_STAGE, &LfoModulator::p_on_stage_event);
    add_handler(ModulatorEventKind_RETRIGGER, &LfoModulator::p_on_retrigger);
}

void LfoModulator::update_entries()
{
    const Bex::Vector<ModulatorEntry*>& entries = get_entries();
    uint32_t groups = 1;
    for (size_t i = 1; i < entries.size(); ++i)
    {
        if (static_cast<LfoModulatorEntry*>(entries[i])->starts_phase_group())
            ++groups;
    }
    p_set_group_count(groups);
    m_group_offsets.assign(groups, nullptr);
    uint32_t group = 0;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        LfoModulatorEntry* entry = static_cast<LfoModulatorEntry*>(entries[i]);
        if (i > 0 && entry->starts_phase_group())
            ++group;
        if (entry->starts_phase_group())
            m_group_offsets[group] = entry->get_phase_parameter()->get_vector();
        entry->bind_signal(&get_group(group).m_signal);
    }
    p_bind_group_outputs();
}

void LfoModulator::p_bind_group_outputs()
{
    const uint32_t groups = get_group_count();
    m_group_outputs.assign(groups, nullptr);
    for (uint32_t group = 0; group < groups; ++group)
    {
        OutputGroup& output = get_group(group);
        m_group_outputs[group] = output.m_signal.m_vectors[SignalVectorKind_UP];
        output.m_raw = m_group_outputs[group];
    }
}

double LfoModulator::get_cycle_duration() const
{
    return (double(m_whole_value) + double(m_numerator_value) / double(m_denominator_value)) *
           modifier_factor(m_modifier_value);
}

double LfoModulator::get_cycle_length() const
{
    const double rate = m_manager->get_device()->get_sample_rate();
    const double duration = get_cycle_duration();
    if (m_synchronization_value == LfoSynchronizationType_SECONDS)
        return duration * rate;
    return duration * 4.0 * 60.0 * rate / m_manager->get_tempo();
}

void LfoModulator::p_on_synchronization_changed()
{
    m_increment_dirty = true;
}

void LfoModulator::p_on_waveform_changed()
{
    const LfoWaveformInfo waveform = get_lfo_waveform(m_waveform_value);
    m_waveform_function = waveform.m_function;
    m_discontinuous = waveform.m_discontinuous;
    p_reinitialize_crossfades();
}

void LfoModulator::p_on_stage_event(Modulator* a_modulator, uint32_t a_voice)
{
    static_cast<LfoModulator*>(a_modulator)->m_phase[a_voice] = 0.0;
}

void LfoModulator::p_on_retrigger(Modulator* a_modulator, uint32_t a_voice)
{
    LfoModulator* lfo = static_cast<LfoModulator*>(a_modulator);
    lfo->m_phase[a_voice] = 0.0;
    lfo->reset_voice(a_voice);
}

void LfoModulator::p_on_trigger_received(void* a_object, MusicalTrigger*)
{
    p_on_retrigger(static_cast<LfoModulator*>(a_object), 0);
}

void LfoModulator::p_follow_song_position()
{
    const uint32_t serial = m_manager->get_transport_serial();
    if (serial == m_synced_serial || !m_manager->has_song_position())
        return;
    m_synced_serial = serial;
    const double cycles_per_quarter =
        0.25 / (get_cycle_duration() / double(m_frequency_factor->get_vector()[0]));
    const double position = m_manager->get_song_position() * cycles_per_quarter;
    const double target = position - std::floor(position);
    // Distance around the cycle: the wrap from 0.999 to 0.001 is no jump.
    const double difference = std::fabs(target - m_phase[0]);
    if (std::min(difference, 1.0 - difference) >= 0.01)
        reset_voice(0);
    m_phase[0] = target;
}

void LfoModulator::p_prepare_phase(uint32_t a_voice)
{
    const float rate = m_manager->get_device()->get_sample_rate();
    const double tempo = m_manager->get_tempo();
    if (m_increment_dirty || rate != m_increment_rate ||
        (m_synchronization_value != LfoSynchronizationType_SECONDS && tempo != m_increment_tempo))
    {
        m_increment = float(1.0 / get_cycle_length());
        m_increment_rate = rate;
        m_increment_tempo = tempo;
        m_increment_dirty = false;
    }
    if (m_synchronization_value == LfoSynchronizationType_SONG_POSITION && a_voice == 0)
        p_follow_song_position();
}

void LfoModulator::prepare(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset)
{
    alignas(16) float phase[16];
    p_prepare_phase(a_voice);
    accumulate_phases(m_phase_steps, m_phase[a_voice], m_increment,
                      m_frequency_factor->get_vector(), a_samples, phase);

    add_offset(phase, m_phase_offset->get_vector());
    m_waveform_function(phase, m_group_offsets.data(), m_pwm->get_vector(), m_group_outputs.data(),
                        get_group_count());
    p_finish_groups(a_voice, a_samples, a_first_after_reset);
}

void LfoModulator::on_parameters_loaded(const Bex::BiniNode& a_node)
{
    const Bex::BiniNode* parameters = a_node.find_child(1);
    const Bex::BiniNode* old_duration =
        parameters ? parameters->find_child(Bex::make_id("FrBa")) : nullptr;
    const Bex::BiniNode* value =
        old_duration ? old_duration->find_child(Bex::make_id("Valu")) : nullptr;
    if (!value || value->get_value_type() != Bex::BiniValueType_UINT32)
        return;
    int32_t numerator;
    int32_t denominator;
    switch (value->get_value_uint32())
    {
    case 1:
        numerator = 1;
        denominator = 10;
        break;
    case 2:
        numerator = 1;
        denominator = 1;
        break;
    case 3:
        numerator = 10;
        denominator = 1;
        break;
    default:
        return;
    }
    set_loaded_integer(m_whole, 0);
    set_loaded_integer(m_numerator, numerator);
    set_loaded_integer(m_denominator, denominator);
    m_modifier->select_option(m_modifier->get_options().front()->m_id);
    m_synchronization->select_option(m_synchronization->get_options().front()->m_id);
}

} // namespace Tonvik
