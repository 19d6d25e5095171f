#pragma once

#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"

namespace Tonvik
{

// "Location" of an entry: the sixteen modification types with their fixed option ids.
class P_ModificationType : public P_TypedChoice<uint32_t>
{
public:
    P_ModificationType();
};

// The entry of every modulator that derives from ModifyingModulator: a kernel selected by
// "Location" and "Invert" that maps the signal into the target's range with depth "Range".
class ModifyingModulatorEntry : public ModulatorEntry
{
public:
    explicit ModifyingModulatorEntry(Modulator* a_modulator);

    void select_kernel() override;
    FinishingModulationKernel get_finishing_kernel(uint32_t a_bounds_state) const override;

    bool is_inverted() const { return m_invert; }
    uint32_t get_location() const { return m_location; }
    const float* get_range_vector() const { return m_range_parameter->get_vector(); }
    P_Boolean* get_invert_parameter() const { return m_invert_parameter; }
    P_ModificationType* get_location_parameter() const { return m_location_parameter; }
    Parameter_Modifier* get_range_parameter() const { return m_range_parameter; }

private:
    void p_on_kernel_changed();

    P_Boolean* m_invert_parameter;
    P_ModificationType* m_location_parameter;
    Parameter_Modifier* m_range_parameter;
    bool m_invert = false;
    uint32_t m_location = 1;
};

} // namespace Tonvik
