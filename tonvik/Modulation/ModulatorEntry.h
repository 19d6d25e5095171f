#pragma once

#include "tonvik/Modulation/Kernels/ModulationKernels.h"
#include "tonvik/Modulation/Modulator.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/Parameters/RelaxedAtomic.h"

namespace Tonvik
{

class Modulatee;
struct ModulationSignal;

// One assignment of a modulator to a target. The chain of its target gives it, per voice, the
// vector it reads and the one it writes.
class ModulatorEntry : public ModulationParameterOwner
{
public:
    struct VoiceIo
    {
        const float* m_input = nullptr;
        float* m_output = nullptr;
    };

    explicit ModulatorEntry(Modulator* a_modulator);
    ~ModulatorEntry() override;
    ModulatorEntry(const ModulatorEntry&) = delete;
    ModulatorEntry& operator=(const ModulatorEntry&) = delete;

    ParameterOwner* get_modulator_owner() override { return m_modulator; }
    void append_name_prefix(Bex::String& a_text) const override;

    // Binds the signal of the entry's output group; a new binding re-selects the kernel.
    void bind_signal(const ModulationSignal* a_signal);
    // Kernel and bounds masks for the current "Location", "Invert" and signal (nothing without
    // a signal); entries without a kernel keep none.
    virtual void select_kernel() {}
    // The kernel that also writes the target's value, for a chain in a_bounds_state ending at this
    // entry; null for entries without one.
    virtual FinishingModulationKernel get_finishing_kernel(uint32_t) const { return nullptr; }

    Modulatee* get_target() const { return m_modulatee_parameter->get_target(); }
    bool is_enabled() const { return m_enabled; }
    bool is_active() const { return m_active; }
    // Position in its modulator's entries.
    int32_t get_index() const { return m_modulator->find_entry(this); }
    Modulator* get_modulator() const { return m_modulator; }
    P_Boolean* get_enabled_parameter() const { return m_enabled_parameter; }
    Parameter_Modulatee* get_modulatee_parameter() const { return m_modulatee_parameter; }

    Modulator* m_modulator;
    const ModulationSignal* m_signal = nullptr;
    RelaxedAtomic<ModulationKernel> m_kernel = nullptr;
    RelaxedAtomic<const float*> m_signal_vector = nullptr;
    VoiceIo m_io[MaxModulationVoices];
    // Set on the last entry of a chain whose target only clamps the result into its output: the
    // kernel writes that output too, in place of the target's final function.
    RelaxedAtomic<FinishingModulationKernel> m_finishing_kernel = nullptr;
    float* m_finishing_output = nullptr;
    bool m_active = false;
    bool m_last_in_chain = false;
    uint32_t m_bounds_set = 0;
    uint32_t m_bounds_clear = 0;

protected:
    // The kernel or bounds changed outside a rebuild: the target's final function follows.
    void p_update_target_bounds();
    // "Enabled", "Modulatee" or a grouping parameter changed: the chains are rebuilt.
    void p_on_structure_changed();

    P_Boolean* m_enabled_parameter;
    Parameter_Modulatee* m_modulatee_parameter;
    bool m_enabled = true;

private:
    friend class ModulationManager;
};

} // namespace Tonvik
