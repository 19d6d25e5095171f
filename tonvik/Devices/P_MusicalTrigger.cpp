#include "tonvik/Devices/P_MusicalTrigger.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/MusicalTriggerManager.h"

namespace Tonvik
{

namespace
{

// Beyond the user triggers that exist, a saved count may only name this many predefined ones.
constexpr uint32_t g_maximum_predefined_connections = 1024;

} // namespace

P_MusicalTrigger::P_MusicalTrigger(MusicalTriggerManager* a_manager, bool a_single_trigger)
    : m_manager(a_manager), m_single_trigger(a_single_trigger)
{
    BEX_ASSERT(a_manager);
    m_host_visible = false;
}

void P_MusicalTrigger::set_endpoint(MusicalTriggerEndpoint* a_endpoint)
{
    BEX_ASSERT(!m_endpoint);
    m_endpoint = a_endpoint;
}

bool P_MusicalTrigger::do_load(const Bex::BiniNode& a_node, LoadReport&)
{
    BEX_ASSERT(m_endpoint);
    m_manager->disconnect_endpoint(m_endpoint);
    const uint32_t count = a_node.get_child(Bex::make_id("Coun")).get_value_uint32();
    if (count > m_manager->get_user_trigger_count() + g_maximum_predefined_connections ||
        (m_single_trigger && count > 1))
        throw Bex::Exception(Bex::String(u"Invalid trigger count"));
    for (uint32_t i = 1; i <= count; ++i)
    {
        const Bex::BiniNode& child = a_node.get_child(i);
        const uint32_t family = child.get_child(Bex::make_id("Fami")).get_value_uint32();
        MusicalTrigger* trigger = nullptr;
        if (family == MusicalTriggerFamily_PREDEFINED)
        {
            trigger = m_manager->find_predefined(
                child.get_child(Bex::make_id("PrId")).get_value_uint32());
        }
        else if (family == MusicalTriggerFamily_USER)
        {
            const uint32_t index = child.get_child(Bex::make_id("UsIn")).get_value_uint32();
            if (index < m_manager->get_user_trigger_count())
                trigger = m_manager->get_user_trigger(index);
        }
        else
        {
            throw Bex::Exception(Bex::String(u"Invalid trigger family."));
        }
        if (!trigger)
            return false;
        m_manager->connect(trigger, m_endpoint);
    }
    return true;
}

void P_MusicalTrigger::do_save(Bex::BiniNode& a_node)
{
    BEX_ASSERT(m_endpoint);
    const Bex::Vector<MusicalTrigger*>& triggers = m_endpoint->get_triggers();
    a_node.add_child(Bex::make_id("Coun")).set_value_uint32(uint32_t(triggers.size()));
    for (uint32_t i = 0; i < triggers.size(); ++i)
    {
        const MusicalTrigger* trigger = triggers[i];
        Bex::BiniNode& child = a_node.add_child(i + 1);
        child.add_child(Bex::make_id("Fami")).set_value_uint32(trigger->m_family);
        if (trigger->m_family == MusicalTriggerFamily_PREDEFINED)
            child.add_child(Bex::make_id("PrId")).set_value_uint32(trigger->m_id);
        else if (trigger->m_family == MusicalTriggerFamily_USER)
            child.add_child(Bex::make_id("UsIn")).set_value_uint32(trigger->m_index);
        else
            throw Bex::Exception(Bex::String(u"Unknown trigger family."));
    }
}

void P_MusicalTrigger::do_destroy()
{
    if (m_endpoint)
        m_manager->disconnect_endpoint(m_endpoint);
}

void P_MusicalTrigger::get_display_text(Bex::String& a_text)
{
    a_text.clear();
    if (!m_endpoint || m_endpoint->get_triggers().empty())
    {
        a_text = u"None";
        return;
    }
    for (const MusicalTrigger* trigger : m_endpoint->get_triggers())
    {
        if (!a_text.empty())
            a_text += u", ";
        a_text += trigger->m_name;
    }
}

P_ReceivedMusicalTrigger::P_ReceivedMusicalTrigger(MusicalTriggerManager* a_manager,
                                                   bool a_single_trigger, Callback a_callback,
                                                   void* a_object)
    : P_MusicalTrigger(a_manager, a_single_trigger), MusicalTriggerEndpoint(true),
      m_callback(a_callback), m_object(a_object)
{
    set_endpoint(this);
}

void P_ReceivedMusicalTrigger::on_trigger_received(MusicalTrigger* a_trigger)
{
    if (m_callback)
        m_callback(m_object, a_trigger);
}

} // namespace Tonvik
