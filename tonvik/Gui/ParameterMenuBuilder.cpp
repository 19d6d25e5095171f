#include "tonvik/Gui/ParameterMenuBuilder.h"

#include "bex/Core/FormatMessage.h"
#include "tonvik/Modulation/Modulator.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterGroup.h"

namespace Tonvik
{

ParameterMenuBuilder::ParameterMenuBuilder(Kiv::MenuItem& a_root, const Parameter* a_chosen)
    : m_chosen(a_chosen)
{
    m_stack.push_back(&a_root);
}

void ParameterMenuBuilder::begin_modulator(Modulator* a_modulator)
{
    p_open(a_modulator->get_name());
}

void ParameterMenuBuilder::begin_entry(ModulatorEntry* a_entry)
{
    p_open(Bex::format_message(u"Entry @1", {Bex::String::from_number(a_entry->get_index() + 1)}));
}

void ParameterMenuBuilder::enter_subgroup(ParameterGroup* a_group)
{
    p_open(a_group->m_name);
}

void ParameterMenuBuilder::parameter(Parameter* a_parameter)
{
    Kiv::MenuItem& item = m_stack.back()->add(a_parameter->get_name(), data_of(a_parameter));
    item.checked = a_parameter == m_chosen;
}

void ParameterMenuBuilder::p_open(const Bex::String& a_name)
{
    m_stack.push_back(&m_stack.back()->add_submenu(a_name));
}

void ParameterMenuBuilder::p_close()
{
    // A submenu with nothing to choose would look like a command: it goes.
    Kiv::MenuItem* closed = m_stack.back();
    m_stack.pop_back();
    if (!closed->has_children())
        m_stack.back()->children.pop_back();
}

} // namespace Tonvik
