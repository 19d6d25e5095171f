#include "tonvik/Modulation/AssignableSlots.h"

#include "bex/Core/Assert.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/ParameterTypes/AssignableParameterSlot.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterOwner.h"

namespace Tonvik
{

AssignableSlots::AssignableSlots(DeviceProgram* a_program) : m_program(a_program)
{
    BEX_ASSERT(a_program);
    Bex::Vector<DeviceProgram::AssignableRecord>& table = m_program->get_assignable_table();
    for (DeviceProgram::AssignableRecord& record : table)
    {
        m_assignments.push_back(std::make_unique<AssignableSlotAssignment>());
        record.m_assignment = m_assignments.back().get();
    }
}

AssignableSlots::~AssignableSlots()
{
    release_all();
    for (DeviceProgram::AssignableRecord& record : m_program->get_assignable_table())
        record.m_assignment = nullptr;
}

void AssignableSlots::assign(uint32_t a_slot, Parameter* a_parameter)
{
    BEX_ASSERT(a_slot < m_assignments.size());
    if (a_parameter && (!a_parameter->m_owner ||
                        (a_parameter->m_owner->m_owner_kind != ParameterOwnerKind_MODULATOR &&
                         a_parameter->m_owner->m_owner_kind != ParameterOwnerKind_MODULATOR_ENTRY)))
        return;
    AssignableSlotAssignment& assignment = *m_assignments[a_slot];
    if (assignment.m_parameter == a_parameter)
        return;
    DeviceProgram::AssignableRecord& record = m_program->get_assignable_table()[a_slot];
    Parameter* holder = assignment.m_parameter ? assignment.m_parameter : record.m_slot;
    Host* notifier = holder->m_host;
    holder->m_host = nullptr;
    holder->m_host_index = -1;
    Parameter* next = a_parameter ? a_parameter : record.m_slot;
    next->m_host = notifier;
    next->m_host_index = int32_t(record.m_host_index);
    assignment.m_parameter = a_parameter;
    m_program->m_host_list[record.m_host_index] = next;
}

void AssignableSlots::release_owner(ParameterOwner* a_owner)
{
    for (uint32_t slot = 0; slot < m_assignments.size(); ++slot)
    {
        Parameter* parameter = m_assignments[slot]->m_parameter;
        if (parameter && parameter->is_owned_by(a_owner))
            assign(slot, nullptr);
    }
}

void AssignableSlots::release_all()
{
    for (uint32_t slot = 0; slot < m_assignments.size(); ++slot)
        assign(slot, nullptr);
}

Parameter* AssignableSlots::get_assigned(uint32_t a_slot) const
{
    return m_assignments[a_slot]->m_parameter;
}

AssignableParameterSlot* AssignableSlots::get_placeholder(uint32_t a_slot) const
{
    return m_program->get_assignable_table()[a_slot].m_slot;
}

Parameter* AssignableSlots::get_host_parameter(uint32_t a_slot) const
{
    return m_program->get_host_list()[m_program->get_assignable_table()[a_slot].m_host_index];
}

} // namespace Tonvik
