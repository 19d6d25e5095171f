#pragma once

#include "tonvik/Modulation/ModulatorEntry.h"

namespace Tonvik
{

class Parameter_Modifier;

// Its own "A", "B", "C", each used instead of the modulator's when its "Override" is on.
class TestModulatorEntry : public ModulatorEntry
{
public:
    explicit TestModulatorEntry(Modulator* a_modulator);

    Parameter_Modifier* m_coefficients[3];
    P_Boolean* m_overrides[3];
    bool m_override_values[3] = {false, false, false};
};

// A quadratic transfer of each entry's chain input, OUT = (a x + b) x + c, for testing; it has
// no editor.
class TestModulator : public Modulator
{
public:
    explicit TestModulator(ModulationManager* a_manager);

    Modulator* clone() const override { return new TestModulator(m_manager); }
    ModulatorEntry* create_entry() override { return new TestModulatorEntry(this); }
    ModulatorGui* create_gui() override;
    void process(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset) override;

    Parameter_Modifier* m_coefficients[3];
};

} // namespace Tonvik
