#include "tonvik/Modulation/ModulatorEntry.h"

#include "bex/Core/FormatMessage.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/Parameters/ParameterGroup.h"

namespace Tonvik
{

ModulatorEntry::ModulatorEntry(Modulator* a_modulator)
    : ModulationParameterOwner(ParameterOwnerKind_MODULATOR_ENTRY), m_modulator(a_modulator)
{
    m_enabled_parameter = new P_Boolean();
    m_enabled_parameter->set_id(1);
    m_enabled_parameter->set_name(u"Enabled");
    m_enabled_parameter->m_default = true;
    m_enabled_parameter->m_variable = &m_enabled;
    m_enabled_parameter->m_deferred_commit = false;
    m_enabled_parameter->set_committable_callback(
        p_callback(this, &ModulatorEntry::p_on_structure_changed));
    p_add_parameter(m_enabled_parameter);

    m_modulatee_parameter = new Parameter_Modulatee();
    m_modulatee_parameter->set_id(2);
    m_modulatee_parameter->set_name(u"Modulatee");
    m_modulatee_parameter->set_committable_callback(
        p_callback(this, &ModulatorEntry::p_on_structure_changed));
    p_add_parameter(m_modulatee_parameter);
}

ModulatorEntry::~ModulatorEntry() = default;

void ModulatorEntry::append_name_prefix(Bex::String& a_text) const
{
    m_modulator->append_name_prefix(a_text);
    a_text +=
        Bex::format_message(u"E@1/", {Bex::String::from_ascii(std::to_string(get_index() + 1))});
}

void ModulatorEntry::bind_signal(const ModulationSignal* a_signal)
{
    if (a_signal == m_signal)
        return;
    m_signal = a_signal;
    select_kernel();
}

void ModulatorEntry::p_update_target_bounds()
{
    Modulatee* target = get_target();
    if (target && m_active)
        m_modulator->get_manager()->update_target_bounds(target);
}

void ModulatorEntry::p_on_structure_changed()
{
    if (m_modulator->get_index() < 0 || get_index() < 0)
        return;
    ModulationManager* manager = m_modulator->get_manager();
    manager->mark_dirty(m_modulator);
    manager->rebuild();
}

} // namespace Tonvik
