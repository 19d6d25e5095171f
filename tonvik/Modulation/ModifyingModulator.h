#pragma once

#include "tonvik/Modulation/Kernels/ModulationKernels.h"
#include "tonvik/Modulation/ModulationSignal.h"
#include "tonvik/Modulation/Modulator.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"

#include <memory>

namespace Tonvik
{

class ModifyingModulatorEntry;

// Base of the modulators that produce signals: output groups filled by the subclass, output
// smoothing (slew limiter) or a crossfade after a jump, and the run of the entries' kernels.
class ModifyingModulator : public Modulator
{
public:
    enum SmoothingLogic : uint32_t
    {
        SmoothingLogic_IF_NECESSARY = 0,
        SmoothingLogic_OFF = 1,
        SmoothingLogic_ON = 2,
    };

    struct OutputGroup
    {
        ModulationSignal m_signal;
        // The subclass's raw output for the sub-block: a parameter's vector, a buffer of its
        // own, or the signal's up vector itself, which smoothing then works on in place.
        const float* m_raw = nullptr;
        float m_previous = 0.0f;
        float m_hold = 0.0f;
    };

    ModifyingModulator(ModulationManager* a_manager, uint32_t a_type_number);

    // The output groups from the raw outputs: smoothed, crossfaded or as they are.
    void prepare(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset) override;
    // The entries' kernels.
    void process(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset) override;
    void plan_entries(bool a_independent, bool a_may_allocate) override;
    // Retrigger or phase jump: with "If necessary", the voice's output crossfades from its last
    // value to the new one.
    void reset_voice(uint32_t a_voice);

    uint32_t get_smoothing_logic() const { return m_smoothing_logic; }
    uint32_t get_group_count() const { return uint32_t(m_groups.size()); }
    OutputGroup& get_group(uint32_t a_index) { return *m_groups[a_index]; }
    const float* get_amount_vector() const { return m_amount_parameter->get_vector(); }
    Parameter_Modifier* get_amount_parameter() const { return m_amount_parameter; }
    P_TypedChoice<uint32_t>* get_smoothing_parameter() const { return m_smoothing_parameter; }
    Parameter_Modifier* get_smoothness_parameter() const { return m_smoothness_parameter; }
    bool is_crossfading(uint32_t a_voice) const { return m_crossfades[a_voice].m_active; }

protected:
    // "Smoothing" and "Smoothness"; the subclass decides whether "If necessary" is offered.
    void p_create_smoothing_parameters(bool a_offer_if_necessary, uint32_t a_default_logic);
    // Keeps existing groups (their entries stay bound) and adds or drops at the end.
    void p_set_group_count(uint32_t a_count);
    // Each voice's crossfade restarts from the current outputs.
    void p_reinitialize_crossfades();

    // After the subclass computed its raw outputs: the groups' signals.
    void p_finish_groups(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset);

    bool m_discontinuous = false;

private:
    struct Crossfade
    {
        bool m_active = false;
        float m_position = 0.0f;
        float m_increment = 0.0f;
    };

    // Finishing entries that share kernel and signal, run in one call.
    struct FinishingRun
    {
        FinishingModulationKernel m_kernel;
        const float* m_signal;
        uint32_t m_first;
        uint32_t m_count;
    };

    void p_on_smoothing_changed();
    void p_finish_groups_smoothly(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset);

    Parameter_Modifier* m_amount_parameter;
    P_TypedChoice<uint32_t>* m_smoothing_parameter = nullptr;
    Parameter_Modifier* m_smoothness_parameter = nullptr;
    uint32_t m_smoothing_logic = SmoothingLogic_OFF;
    Bex::Vector<std::unique_ptr<OutputGroup>> m_groups;
    Crossfade m_crossfades[MaxModulationVoices];
    alignas(16) float m_no_smoothing_steps[16] = {};
    // While the stage lets entries run out of their order, process() runs the entries without a
    // finishing kernel first, in their order, then the runs of finishing entries: nothing the
    // latter write is read by an entry, and they read only what is done by then.
    bool m_plan_ready = false;
    Bex::Vector<ModulatorEntry*> m_plan_others;
    Bex::Vector<FinishingEntry> m_plan_entries;
    Bex::Vector<FinishingRun> m_plan_runs;
};

} // namespace Tonvik
