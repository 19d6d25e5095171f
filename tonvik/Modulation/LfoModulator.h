#pragma once

#include "tonvik/Modulation/LfoPhase.h"
#include "tonvik/Modulation/LfoWaveforms.h"
#include "tonvik/Modulation/ModifyingModulator.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"

namespace Tonvik
{

class MusicalTrigger;
class P_Integer;
class P_ReceivedMusicalTrigger;
class P_RetriggerReason;

enum LfoSynchronizationType : uint32_t
{
    LfoSynchronizationType_SECONDS = 0,
    LfoSynchronizationType_SONG_POSITION = 1,
    LfoSynchronizationType_TEMPO = 2,
};

enum LfoSynchronizationModifier : uint32_t
{
    LfoSynchronizationModifier_NONE = 0,
    LfoSynchronizationModifier_DOT = 1,
    LfoSynchronizationModifier_TWO_DOTS = 2,
    LfoSynchronizationModifier_THREE_DOTS = 3,
    LfoSynchronizationModifier_TRIPLET = 4,
};

// An LFO entry may start a new output group with its own phase offset.
class LfoModulatorEntry : public ModifyingModulatorEntry
{
public:
    explicit LfoModulatorEntry(Modulator* a_modulator);

    bool starts_phase_group() const { return m_start_phase_group; }
    P_Boolean* get_start_phase_group_parameter() const { return m_start_phase_group_parameter; }
    Parameter_Modifier* get_phase_parameter() const { return m_phase_parameter; }

private:
    void p_on_grouping_changed() { p_on_structure_changed(); }

    P_Boolean* m_start_phase_group_parameter;
    Parameter_Modifier* m_phase_parameter;
    bool m_start_phase_group = false;
};

// The low-frequency oscillator: one periodic unipolar signal per output group, in seconds, in
// notes of the host tempo or locked to the host's song position.
class LfoModulator : public ModifyingModulator
{
public:
    explicit LfoModulator(ModulationManager* a_manager);

    Modulator* clone() const override { return new LfoModulator(m_manager); }
    void update_entries() override;
    ModulatorEntry* create_entry() override { return new LfoModulatorEntry(this); }
    ModulatorGui* create_gui() override { return nullptr; }
    Bex::String get_type_name() const override { return Bex::String(u"LFO"); }
    void on_parameters_loaded(const Bex::BiniNode& a_node) override;
    int32_t get_retrigger_key() const override { return m_retrigger_key; }
    // Cycle duration D in whole notes (or seconds), modifier included.
    double get_cycle_duration() const;
    // Samples per cycle at the device's rate and the manager's tempo.
    double get_cycle_length() const;
    double get_phase(uint32_t a_voice) const { return m_phase[a_voice]; }
    void set_phase(uint32_t a_voice, double a_phase) { m_phase[a_voice] = a_phase; }

    Parameter_Modifier* get_frequency_factor_parameter() const { return m_frequency_factor; }
    Parameter_Modifier* get_phase_parameter() const { return m_phase_offset; }
    Parameter_Modifier* get_pwm_parameter() const { return m_pwm; }
    P_RetriggerReason* get_retrigger_key_parameter() const { return m_retrigger_key_parameter; }
    P_ReceivedMusicalTrigger* get_retrigger_reason_parameter() const { return m_retrigger_reason; }
    P_Integer* get_whole_parameter() const { return m_whole; }
    P_Integer* get_numerator_parameter() const { return m_numerator; }
    P_Integer* get_denominator_parameter() const { return m_denominator; }
    P_TypedChoice<uint32_t>* get_modifier_parameter() const { return m_modifier; }
    P_TypedChoice<uint32_t>* get_synchronization_parameter() const { return m_synchronization; }
    P_TypedChoice<uint32_t>* get_waveform_parameter() const { return m_waveform; }

    // The phases and the waveform of every output group, its raw output, then the groups'
    // signals.
    void prepare(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset) override;

private:
    // Each output group's waveform goes into its signal: its raw output points there too.
    void p_bind_group_outputs();
    static void p_on_stage_event(Modulator* a_modulator, uint32_t a_voice);
    static void p_on_retrigger(Modulator* a_modulator, uint32_t a_voice);
    static void p_on_trigger_received(void* a_object, MusicalTrigger* a_trigger);
    void p_on_synchronization_changed();
    void p_on_waveform_changed();
    void p_follow_song_position();
    // What the phase chain starts from: the increment and, when locked, the song position.
    void p_prepare_phase(uint32_t a_voice);

    Parameter_Modifier* m_frequency_factor;
    Parameter_Modifier* m_phase_offset;
    P_RetriggerReason* m_retrigger_key_parameter;
    P_ReceivedMusicalTrigger* m_retrigger_reason = nullptr;
    P_Integer* m_whole;
    P_Integer* m_numerator;
    P_Integer* m_denominator;
    P_TypedChoice<uint32_t>* m_modifier;
    P_TypedChoice<uint32_t>* m_synchronization;
    P_TypedChoice<uint32_t>* m_waveform;
    Parameter_Modifier* m_pwm;

    int32_t m_retrigger_key = -1;
    int32_t m_whole_value = 0;
    int32_t m_numerator_value = 1;
    int32_t m_denominator_value = 1;
    uint32_t m_modifier_value = LfoSynchronizationModifier_NONE;
    uint32_t m_synchronization_value = LfoSynchronizationType_SECONDS;
    uint32_t m_waveform_value = LfoModulatorWaveform_SINE_LOW_PRECISION;

    LfoWaveformFunction m_waveform_function;
    // Per-sample phase increment 1 / L, and what it was computed from.
    float m_increment = 0.0f;
    float m_increment_rate = 0.0f;
    double m_increment_tempo = 0.0;
    bool m_increment_dirty = true;
    uint32_t m_synced_serial = 0;
    double m_phase[MaxModulationVoices] = {};
    PhaseSteps m_phase_steps;
    // Per output group: the "Phase" vector of the entry that started it, or null.
    Bex::Vector<const float*> m_group_offsets;
    // Per output group: its signal's up vector, where the waveform goes straight away as the
    // group's raw output. Sized with the groups, never on the audio thread.
    Bex::Vector<float*> m_group_outputs;
};

} // namespace Tonvik
