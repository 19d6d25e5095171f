#pragma once

#include "tonvik/Modulation/ModifyingModulator.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"

namespace Tonvik
{

using CombinatorModulatorEntry = ModifyingModulatorEntry;

// A modulatable control value used as a signal: whatever drives "X" is passed on through the
// combinator's own entries.
class CombinatorModulator : public ModifyingModulator
{
public:
    explicit CombinatorModulator(ModulationManager* a_manager);

    Modulator* clone() const override { return new CombinatorModulator(m_manager); }
    void update_entries() override;
    ModulatorEntry* create_entry() override { return new CombinatorModulatorEntry(this); }
    ModulatorGui* create_gui() override { return nullptr; }

    Parameter_Modifier* get_x_parameter() const { return m_x_parameter; }

private:
    Parameter_Modifier* m_x_parameter;
};

} // namespace Tonvik
