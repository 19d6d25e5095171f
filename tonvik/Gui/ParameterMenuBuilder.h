#pragma once

#include "bex/Core/Vector.h"
#include "kiv/Widgets/MenuItem.h"
#include "tonvik/Devices/ParameterIteratorListener.h"

#include <cstdint>

namespace Tonvik
{

// Turns a walk over a device's parameters into a menu: a submenu per modulator ("Entry @1" per
// entry) and per group, an item per parameter that carries the parameter as its data. Submenus
// with nothing to choose are left out.
class ParameterMenuBuilder : public ParameterIteratorListener
{
public:
    // Pointers are never 1, so the empty choice cannot meet a parameter; nor 0, which submenus
    // carry.
    static constexpr uint64_t g_no_parameter_data = 1;
    static uint64_t data_of(const Parameter* a_parameter)
    {
        return a_parameter ? uint64_t(reinterpret_cast<uintptr_t>(a_parameter))
                           : g_no_parameter_data;
    }

    // a_chosen's item gets the check mark.
    explicit ParameterMenuBuilder(Kiv::MenuItem& a_root, const Parameter* a_chosen = nullptr);

    void begin_modulator(Modulator* a_modulator) override;
    void end_modulator(Modulator*) override { p_close(); }
    void begin_entry(ModulatorEntry* a_entry) override;
    void end_entry(ModulatorEntry*) override { p_close(); }
    void enter_subgroup(ParameterGroup* a_group) override;
    void leave_subgroup(ParameterGroup*) override { p_close(); }
    void parameter(Parameter* a_parameter) override;

private:
    void p_open(const Bex::String& a_name);
    void p_close();

    const Parameter* m_chosen;
    Bex::Vector<Kiv::MenuItem*> m_stack;
};

} // namespace Tonvik
