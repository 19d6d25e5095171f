#include "tonvik/Devices/MusicalTriggerManager.h"

#include "bex/Core/Assert.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/MusicalTriggerEndpoint.h"

namespace Tonvik
{

namespace
{

void remove_pointer(Bex::Vector<MusicalTrigger*>& a_list, MusicalTrigger* a_item)
{
    for (size_t i = 0; i < a_list.size(); ++i)
    {
        if (a_list[i] == a_item)
        {
            a_list.remove_at(i);
            return;
        }
    }
}

void remove_pointer(Bex::Vector<MusicalTriggerEndpoint*>& a_list, MusicalTriggerEndpoint* a_item)
{
    for (size_t i = 0; i < a_list.size(); ++i)
    {
        if (a_list[i] == a_item)
        {
            a_list.remove_at(i);
            return;
        }
    }
}

} // namespace

MusicalTriggerManager::MusicalTriggerManager(Device* a_device)
    : m_device(a_device), m_root(Bex::String())
{
    BEX_ASSERT(a_device);
}

MusicalTriggerEndpoint::~MusicalTriggerEndpoint() noexcept(false)
{
    if (m_manager && !m_triggers.empty())
        m_manager->disconnect_endpoint(this);
}

MusicalTriggerManager::~MusicalTriggerManager()
{
    // The device's locks may be gone already: endpoints that outlive the manager are only cut
    // loose, without hooks or signals.
    auto release = [](MusicalTrigger* a_trigger)
    {
        for (Bex::Vector<MusicalTriggerEndpoint*>& endpoints : a_trigger->m_endpoints)
        {
            for (MusicalTriggerEndpoint* endpoint : endpoints)
            {
                remove_pointer(endpoint->m_triggers, a_trigger);
                if (endpoint->m_triggers.empty())
                    endpoint->m_manager = nullptr;
            }
            endpoints.clear();
        }
    };
    for (MusicalTrigger* trigger : m_predefined)
        release(trigger);
    for (MusicalTrigger* trigger : m_user_triggers)
    {
        release(trigger);
        delete trigger;
    }
}

void MusicalTriggerManager::p_collect_predefined_triggers(MusicalTriggerGroup* a_group)
{
    for (MusicalTriggerNode* node : a_group->m_children)
    {
        if (node->m_kind == MusicalTriggerNodeKind_GROUP)
        {
            p_collect_predefined_triggers(static_cast<MusicalTriggerGroup*>(node));
            continue;
        }
        MusicalTrigger* s = static_cast<MusicalTrigger*>(node);
        if (!s->m_predefined)
            continue;
        BEX_ASSERT(!m_predefined_trigger_map.has_key(s->m_id));
        s->m_index = uint32_t(m_predefined.size());
        m_predefined.push_back(s);
        m_predefined_trigger_map.insert_new(s->m_id, s);
        if (s->m_standard_id != 0)
        {
            if (m_standard_triggers.size() <= s->m_standard_id)
                m_standard_triggers.resize(s->m_standard_id + 1, nullptr);
            BEX_ASSERT(!m_standard_triggers[s->m_standard_id]);
            m_standard_triggers[s->m_standard_id] = s;
        }
    }
}

MusicalTrigger* MusicalTriggerManager::find_predefined(uint32_t a_id) const
{
    MusicalTrigger* const* trigger = m_predefined_trigger_map.find_value(a_id);
    return trigger ? *trigger : nullptr;
}

MusicalTrigger* MusicalTriggerManager::get_standard(uint32_t a_standard_id) const
{
    return a_standard_id < m_standard_triggers.size() ? m_standard_triggers[a_standard_id]
                                                      : nullptr;
}

MusicalTrigger* MusicalTriggerManager::add_user_trigger(const Bex::String& a_name)
{
    Device::StateLocks locks(*m_device);
    MusicalTrigger* trigger = new MusicalTrigger(a_name, MusicalTriggerFamily_USER, 0, 0);
    trigger->m_index = uint32_t(m_user_triggers.size());
    m_user_triggers.push_back(trigger);
    MusicalUserTriggerEvent event{trigger, true};
    m_on_user_trigger.emit(event);
    return trigger;
}

void MusicalTriggerManager::connect(MusicalTrigger* a_trigger, MusicalTriggerEndpoint* a_endpoint)
{
    Device::StateLocks locks(*m_device);
    if (a_endpoint->is_connected(a_trigger))
        return;
    BEX_ASSERT(!a_endpoint->m_manager || a_endpoint->m_manager == this);
    a_endpoint->m_manager = this;
    a_endpoint->m_triggers.push_back(a_trigger);
    a_trigger->m_endpoints[a_endpoint->m_receiving].push_back(a_endpoint);
    if (!a_endpoint->m_receiving)
        p_update_derived(a_trigger);
    a_endpoint->on_trigger_connected(a_trigger);
    MusicalTriggerEvents::OnTriggerConnected event{a_trigger, a_endpoint};
    m_on_trigger_connected.emit(event);
}

void MusicalTriggerManager::disconnect(MusicalTrigger* a_trigger,
                                       MusicalTriggerEndpoint* a_endpoint)
{
    Device::StateLocks locks(*m_device);
    if (!a_endpoint->is_connected(a_trigger))
        return;
    a_endpoint->on_trigger_disconnected(a_trigger);
    MusicalTriggerEvents::OnTriggerDisconnected event{a_trigger, a_endpoint};
    m_on_trigger_disconnected.emit(event);
    remove_pointer(a_endpoint->m_triggers, a_trigger);
    remove_pointer(a_trigger->m_endpoints[a_endpoint->m_receiving], a_endpoint);
    if (!a_endpoint->m_receiving)
        p_update_derived(a_trigger);
}

void MusicalTriggerManager::disconnect_all(MusicalTrigger* a_trigger)
{
    Device::StateLocks locks(*m_device);
    for (Bex::Vector<MusicalTriggerEndpoint*>& endpoints : a_trigger->m_endpoints)
    {
        while (!endpoints.empty())
            disconnect(a_trigger, endpoints.back());
    }
}

void MusicalTriggerManager::disconnect_endpoint(MusicalTriggerEndpoint* a_endpoint)
{
    Device::StateLocks locks(*m_device);
    while (!a_endpoint->m_triggers.empty())
        disconnect(a_endpoint->m_triggers.back(), a_endpoint);
}

void MusicalTriggerManager::remove_user_trigger(MusicalTrigger* a_trigger)
{
    Device::StateLocks locks(*m_device);
    BEX_ASSERT(!a_trigger->m_predefined && a_trigger->m_index < m_user_triggers.size() &&
               m_user_triggers[a_trigger->m_index] == a_trigger);
    disconnect_all(a_trigger);
    MusicalUserTriggerEvent event{a_trigger, false};
    m_on_user_trigger.emit(event);
    m_user_triggers.remove_at(a_trigger->m_index);
    delete a_trigger;
    for (uint32_t i = 0; i < m_user_triggers.size(); ++i)
        m_user_triggers[i]->m_index = i;
}

void MusicalTriggerManager::reset()
{
    Device::StateLocks locks(*m_device);
    while (!m_user_triggers.empty())
        remove_user_trigger(m_user_triggers.back());
    for (MusicalTrigger* trigger : m_predefined)
        disconnect_all(trigger);
}

void MusicalTriggerManager::fire(MusicalTrigger* a_trigger)
{
    for (MusicalTriggerEndpoint* endpoint :
         a_trigger->m_endpoints[MusicalTrigger::EndpointList_RECEIVING])
        endpoint->on_trigger_received(a_trigger);
    MusicalTriggerEvent event{a_trigger};
    m_on_trigger.emit(event);
}

void MusicalTriggerManager::p_update_derived(MusicalTrigger* a_trigger)
{
    a_trigger->m_referred = !a_trigger->m_endpoints[MusicalTrigger::EndpointList_REFERRING].empty();
}

} // namespace Tonvik
