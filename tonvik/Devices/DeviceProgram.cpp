#include "tonvik/Devices/DeviceProgram.h"

#include "tonvik/Devices/Device.h"
#include "tonvik/ParameterTypes/AssignableParameterSlot.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterGroup.h"

namespace Tonvik
{

namespace
{

// Older state formats first, so their host indices never move; then the host order key.
bool host_order_before(const Parameter* a_left, const Parameter* a_right)
{
    if (a_left->m_minimum_plugin_internal_version != a_right->m_minimum_plugin_internal_version)
        return a_left->m_minimum_plugin_internal_version <
               a_right->m_minimum_plugin_internal_version;
    return a_left->m_host_order_key < a_right->m_host_order_key;
}

} // namespace

DeviceProgram::DeviceProgram(Device* a_device) : m_device(a_device)
{
    BEX_ASSERT(a_device);
    m_parameter_collection.get_root()->m_owner = a_device;
}

void DeviceProgram::p_initialize()
{
    m_parameter_collection.initialize(m_device);
    m_assignable_count = 0;
    m_host_list.clear();
    for (Parameter* p : m_parameter_collection.get_parameters())
    {
        BEX_ASSERT(p->m_minimum_plugin_internal_version <=
                   m_device->m_static_config.m_plugin_internal_version);
        if (p->m_host_visible && p->m_normalizable)
            m_host_list.push_back(p);
    }
    // Stable insertion sort: declaration order decides between equal keys.
    for (size_t i = 1; i < m_host_list.size(); ++i)
    {
        Parameter* moving = m_host_list[i];
        size_t j = i;
        while (j > 0 && host_order_before(moving, m_host_list[j - 1]))
        {
            m_host_list[j] = m_host_list[j - 1];
            --j;
        }
        m_host_list[j] = moving;
    }
    for (Parameter* parameter : m_host_list)
    {
        if (dynamic_cast<AssignableParameterSlot*>(parameter))
            ++m_assignable_count;
    }
    m_host_slots.assign(m_host_list.size(), HostSlotRecord());
    m_assignable_table.assign(m_assignable_count, AssignableRecord());
    uint32_t k = 0;
    for (uint32_t i = 0; i < m_host_list.size(); ++i)
    {
        Parameter* parameter = m_host_list[i];
        parameter->m_host_index = int32_t(i);
        if (AssignableParameterSlot* slot = dynamic_cast<AssignableParameterSlot*>(parameter))
        {
            m_host_slots[i] = HostSlotRecord{1, k};
            m_assignable_table[k] = AssignableRecord{i, slot, nullptr};
            ++k;
        }
    }
}

} // namespace Tonvik
