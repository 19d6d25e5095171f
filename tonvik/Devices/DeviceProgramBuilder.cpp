#include "tonvik/Devices/DeviceProgramBuilder.h"

#include "bex/Core/FormatMessage.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/ParameterTypes/AssignableParameterSlot.h"
#include "tonvik/Parameters/ParameterGroup.h"

#include <string>

namespace Tonvik
{

DeviceProgramBuilder::DeviceProgramBuilder(DeviceProgram& a_program)
{
    m_group_stack.push_back(a_program.get_root_group());
}

ParameterGroup* DeviceProgramBuilder::begin_group(uint32_t a_id, const Bex::String& a_name)
{
    BEX_ASSERT(!m_group_stack.empty());
    ParameterGroup* group = new ParameterGroup(a_id, a_name);
    m_group_stack.back()->append_subgroup(group);
    m_group_stack.push_back(group);
    return group;
}

void DeviceProgramBuilder::add_parameter(Parameter* a_parameter)
{
    BEX_ASSERT(!m_group_stack.empty());
    m_group_stack.back()->append_parameter(a_parameter);
}

void DeviceProgramBuilder::end_group()
{
    BEX_ASSERT(!m_group_stack.empty());
    m_group_stack.pop_back();
}

void DeviceProgramBuilder::add_assignable_parameters()
{
    BEX_ASSERT(!m_group_stack.empty());
    for (uint32_t i = 0; i < 16; ++i)
    {
        const uint32_t n = m_assignable_counter;
        const std::string id = {'A', 's', char('0' + n / 10 % 10), char('0' + n % 10)};
        AssignableParameterSlot* slot = new AssignableParameterSlot();
        slot->set_id(Bex::make_id(id));
        slot->set_name(Bex::format_message(u"Assignable @1", {Bex::String::from_number(n + 1)}));
        slot->m_minimum_plugin_internal_version = 1;
        add_parameter(slot);
        ++m_assignable_counter;
    }
}

} // namespace Tonvik
