#pragma once

#include "bex/Core/Vector.h"

#include <cstdint>
#include <memory>

namespace Tonvik
{

class AssignableParameterSlot;
class DeviceProgram;
class Host;
class Parameter;
class ParameterOwner;

// What stands behind one assignable slot of the program's table.
class AssignableSlotAssignment
{
public:
    Parameter* m_parameter = nullptr;
};

// Points the program's assignable slots at parameters of modulators and entries, so that the
// host can automate them. The host table entry of a slot is the assigned parameter or the slot's
// placeholder, and whichever stands there holds the host notifier and the slot's host index.
class AssignableSlots
{
public:
    explicit AssignableSlots(DeviceProgram* a_program);
    ~AssignableSlots();
    AssignableSlots(const AssignableSlots&) = delete;
    AssignableSlots& operator=(const AssignableSlots&) = delete;

    uint32_t get_slot_count() const { return uint32_t(m_assignments.size()); }
    // Parameters owned by neither a modulator nor an entry are ignored.
    void assign(uint32_t a_slot, Parameter* a_parameter);
    // Every slot whose parameter belongs to a_owner goes back to its placeholder.
    void release_owner(ParameterOwner* a_owner);
    // Every slot goes back to its placeholder.
    void release_all();

    Parameter* get_assigned(uint32_t a_slot) const;
    AssignableParameterSlot* get_placeholder(uint32_t a_slot) const;
    // What the host reaches at the slot's host index.
    Parameter* get_host_parameter(uint32_t a_slot) const;

private:
    DeviceProgram* m_program;
    Bex::Vector<std::unique_ptr<AssignableSlotAssignment>> m_assignments;
};

} // namespace Tonvik
