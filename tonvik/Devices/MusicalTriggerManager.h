#pragma once

#include "bex/Containers/Map.h"
#include "bex/Core/Vector.h"
#include "bex/Signals/Signal.h"
#include "tonvik/Devices/MusicalTriggerNode.h"

#include <cstdint>

namespace Tonvik
{

class Device;
class MusicalTriggerEndpoint;

namespace MusicalTriggerEvents
{

struct OnTriggerConnected
{
    MusicalTrigger* m_trigger;
    MusicalTriggerEndpoint* m_endpoint;
};

struct OnTriggerDisconnected
{
    MusicalTrigger* m_trigger;
    MusicalTriggerEndpoint* m_endpoint;
};

} // namespace MusicalTriggerEvents

// A user trigger was added or is about to be removed.
struct MusicalUserTriggerEvent
{
    MusicalTrigger* m_trigger;
    bool m_added;
};

// A trigger fired.
struct MusicalTriggerEvent
{
    MusicalTrigger* m_trigger;
};

// The device's triggers (predefined ones declared under the root group, and user triggers) and
// their connections to endpoints. Every change takes the device's processing, parameter and
// modulation locks, so the audio thread never sees a half-changed list.
class MusicalTriggerManager
{
public:
    explicit MusicalTriggerManager(Device* a_device);
    ~MusicalTriggerManager();
    MusicalTriggerManager(const MusicalTriggerManager&) = delete;
    MusicalTriggerManager& operator=(const MusicalTriggerManager&) = delete;

    // Where the device declares its predefined triggers before they are collected.
    MusicalTriggerGroup& get_root() { return m_root; }
    void p_collect_predefined_triggers(MusicalTriggerGroup* a_group);

    MusicalTrigger* find_predefined(uint32_t a_id) const;
    MusicalTrigger* get_standard(uint32_t a_standard_id) const;
    const Bex::Vector<MusicalTrigger*>& get_predefined_triggers() const { return m_predefined; }

    MusicalTrigger* add_user_trigger(const Bex::String& a_name);
    uint32_t get_user_trigger_count() const { return uint32_t(m_user_triggers.size()); }
    MusicalTrigger* get_user_trigger(uint32_t a_index) const { return m_user_triggers[a_index]; }

    void connect(MusicalTrigger* a_trigger, MusicalTriggerEndpoint* a_endpoint);
    void disconnect(MusicalTrigger* a_trigger, MusicalTriggerEndpoint* a_endpoint);
    void disconnect_all(MusicalTrigger* a_trigger);
    // Disconnects every trigger from the endpoint.
    void disconnect_endpoint(MusicalTriggerEndpoint* a_endpoint);
    void remove_user_trigger(MusicalTrigger* a_trigger);
    // Back to the declared state: no user triggers and no connections.
    void reset();

    // Tells every receiving endpoint of the trigger.
    void fire(MusicalTrigger* a_trigger);

    Bex::Signal1<MusicalTriggerEvents::OnTriggerConnected> m_on_trigger_connected;
    Bex::Signal1<MusicalTriggerEvents::OnTriggerDisconnected> m_on_trigger_disconnected;
    Bex::Signal1<MusicalUserTriggerEvent> m_on_user_trigger;
    Bex::Signal1<MusicalTriggerEvent> m_on_trigger;

private:
    void p_update_derived(MusicalTrigger* a_trigger);

    Device* m_device;
    Bex::Map<uint32_t, MusicalTrigger*> m_predefined_trigger_map;
    Bex::Vector<MusicalTrigger*> m_predefined;
    Bex::Vector<MusicalTrigger*> m_standard_triggers;
    MusicalTriggerGroup m_root;
    Bex::Vector<MusicalTrigger*> m_user_triggers;
};

} // namespace Tonvik
