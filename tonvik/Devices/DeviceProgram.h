#pragma once

#include "bex/Core/Vector.h"
#include "tonvik/Parameters/ParameterCollection.h"

#include <cstdint>

namespace Tonvik
{

class AssignableParameterSlot;
class AssignableSlotAssignment;
class Device;
class Parameter;
class ParameterGroup;

// A device's declared parameter tree, and what the host sees of it: the flat list by host index
// and the table of assignable slots.
class DeviceProgram
{
public:
    struct AssignableRecord
    {
        uint32_t m_host_index = 0;
        AssignableParameterSlot* m_slot = nullptr;
        AssignableSlotAssignment* m_assignment = nullptr;
    };

    struct HostSlotRecord
    {
        uint32_t m_is_assignable = 0;
        uint32_t m_assignable_index = 0;
    };

    explicit DeviceProgram(Device* a_device);
    DeviceProgram(const DeviceProgram&) = delete;
    DeviceProgram& operator=(const DeviceProgram&) = delete;

    // Once, after the tree is declared: initialises the collection and builds the host list.
    void p_initialize();

    ParameterGroup* get_root_group() const { return m_parameter_collection.get_root(); }
    ParameterCollection& get_collection() { return m_parameter_collection; }
    const Bex::Vector<Parameter*>& get_host_list() const { return m_host_list; }
    const HostSlotRecord& get_host_slot(uint32_t a_host_index) const
    {
        return m_host_slots[a_host_index];
    }
    uint32_t get_assignable_count() const { return m_assignable_count; }
    Bex::Vector<AssignableRecord>& get_assignable_table() { return m_assignable_table; }

    uint32_t m_assignable_count = 0;
    Bex::Vector<AssignableRecord> m_assignable_table;
    Bex::Vector<HostSlotRecord> m_host_slots;
    Bex::Vector<Parameter*> m_host_list;
    Device* m_device;
    ParameterCollection m_parameter_collection;
};

} // namespace Tonvik
