#pragma once

#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/Parameters/Parameter.h"

#include <memory>

namespace test_support
{

// Adds an LFO with its defaults: sine, one cycle per second.
inline Tonvik::LfoModulator* add_lfo(Tonvik::ModulationManager& a_modulation)
{
    return static_cast<Tonvik::LfoModulator*>(
        a_modulation.add_modulator(std::make_unique<Tonvik::LfoModulator>(&a_modulation)));
}

// Aims a new "Above" entry of "Range" 1 of a_lfo at a_target.
inline void add_lfo_entry(Tonvik::ModulationManager& a_modulation, Tonvik::LfoModulator* a_lfo,
                          Tonvik::Parameter* a_target)
{
    auto* entry = static_cast<Tonvik::ModifyingModulatorEntry*>(
        a_modulation.add_entry(a_lfo, uint32_t(a_lfo->get_entries().size())));
    entry->get_range_parameter()->set_external_value(1.0f);
    entry->get_modulatee_parameter()->set_target(a_target->get_modulatee());
}

} // namespace test_support
