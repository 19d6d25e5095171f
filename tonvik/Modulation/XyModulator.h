#pragma once

#include "tonvik/Modulation/ModifyingModulator.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"

namespace Tonvik
{

enum XyModulatorAxis : uint32_t
{
    XyModulatorAxis_X = 0,
    XyModulatorAxis_Y = 1,
};

class P_XyModulatorEntry_Axis : public P_TypedChoice<uint32_t>
{
public:
    P_XyModulatorEntry_Axis();
};

// An entry of the XY modulator follows the axis it selects.
class XyModulatorEntry : public ModifyingModulatorEntry
{
public:
    explicit XyModulatorEntry(Modulator* a_modulator);

    uint32_t get_axis() const { return m_axis; }
    P_XyModulatorEntry_Axis* get_axis_parameter() const { return m_axis_parameter; }
    // Binds the group of the selected axis.
    void bind_axis();

private:
    P_XyModulatorEntry_Axis* m_axis_parameter;
    uint32_t m_axis = XyModulatorAxis_X;
};

// Two control values, X and Y, as two signals (groups 0 and 1).
class XyModulator : public ModifyingModulator
{
public:
    explicit XyModulator(ModulationManager* a_manager);

    Modulator* clone() const override { return new XyModulator(m_manager); }
    void update_entries() override;
    ModulatorEntry* create_entry() override { return new XyModulatorEntry(this); }
    ModulatorGui* create_gui() override { return nullptr; }
    Bex::String get_type_name() const override { return Bex::String(u"XY"); }

    Parameter_Modifier* get_x_parameter() const { return m_x_parameter; }
    Parameter_Modifier* get_y_parameter() const { return m_y_parameter; }

private:
    Parameter_Modifier* m_x_parameter;
    Parameter_Modifier* m_y_parameter;
};

} // namespace Tonvik
