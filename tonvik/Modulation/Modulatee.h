#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "tonvik/Parameters/RelaxedAtomic.h"

#include <cstdint>

namespace Tonvik
{

class Modulatee;
class ModulatorEntry;
class Parameter;
class ParameterOwner;

// Finishes a modulated target's value for one sub-block: clamps the chain's normalized result on
// the sides that may have left [0, 1] and hands it to whatever the audio code reads.
using FinalBoundsFunction = void (*)(Modulatee* a_target, const float* a_value);

// A target that modulation entries can aim at. Float parameters are the targets of this system.
// Besides the interface it carries the run-time chain that the modulation manager builds.
class Modulatee
{
public:
    // Parameters assert in their destructor, so the targets' destructors may throw too.
    virtual ~Modulatee() noexcept(false) {}

    // Null for a target that is not a parameter.
    virtual Parameter* get_modulatee_parameter() = 0;
    virtual bool is_modulatable() const = 0;
    // The value a normalized position stands for, as the editor shows it.
    virtual Bex::String get_value_text(float a_normalized) const = 0;
    // A modulation amount; a_sign_style -1, 0, +1 selects the prefix (down, both ways, up).
    virtual Bex::String get_amount_text(float a_amount, int a_sign_style) const = 0;
    // The target's definition or modulation changed: recommit, rebuild what depends on it (the
    // smoother follows whether the target is modulated), refresh editors.
    virtual void on_definition_changed() = 0;

    // The parameter's id and owner; a target that is not a parameter is an internal error.
    uint32_t get_modulatee_id();
    ParameterOwner* get_modulatee_owner();

    bool is_modulated() const { return m_modulated; }
    // The value the chain hands to the final function; the input itself while not modulated.
    const float* get_final_value() const { return m_final_value ? m_final_value : m_input; }
    // Step 4 of a sub-block: the final function turns the chain's result into the target's value.
    void finish_modulation() { m_final_function.load()(this, m_final_value); }

    // Handed over from the variation in use whenever one is adopted.
    uint32_t m_modulation_word = 1;

    // Run-time chain, rebuilt under the device's locks and read by the audio thread.
    Bex::Vector<ModulatorEntry*> m_chain;
    bool m_modulated = false;
    int32_t m_modulated_index = -1;
    // Set while a rebuild has collected this target, so that each target is updated once.
    bool m_collected = false;
    uint32_t m_bounds_state = 3;
    // [0] for entries of "In-note" modulators, [1] for all others.
    alignas(64) float m_modulation_outputs[2][16] = {};
    const float* m_final_value = nullptr;
    // The target's own normalized value per sample.
    float* m_input = nullptr;
    RelaxedAtomic<FinalBoundsFunction> m_final_function = nullptr;
};

} // namespace Tonvik
