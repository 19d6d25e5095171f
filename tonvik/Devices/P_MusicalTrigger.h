#pragma once

#include "tonvik/Devices/MusicalTriggerEndpoint.h"
#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

class MusicalTriggerManager;

// The set of triggers connected to an endpoint, saved with presets. Neither shown to the host nor
// normalizable. Resetting leaves the connections alone: the manager's reset clears them.
class P_MusicalTrigger : public Parameter
{
public:
    P_MusicalTrigger(MusicalTriggerManager* a_manager, bool a_single_trigger);

    void set_endpoint(MusicalTriggerEndpoint* a_endpoint);
    MusicalTriggerEndpoint* get_endpoint() const { return m_endpoint; }

    bool do_load(const Bex::BiniNode& a_node, LoadReport& a_report) override;
    void do_save(Bex::BiniNode& a_node) override;
    void do_destroy() override;
    void get_display_text(Bex::String& a_text) override;

protected:
    MusicalTriggerManager* m_manager;
    MusicalTriggerEndpoint* m_endpoint = nullptr;
    bool m_single_trigger;
};

// A trigger parameter that is its own receiving endpoint: a fired trigger calls the owner back.
class P_ReceivedMusicalTrigger : public P_MusicalTrigger, public MusicalTriggerEndpoint
{
public:
    using Callback = void (*)(void* a_object, MusicalTrigger* a_trigger);

    P_ReceivedMusicalTrigger(MusicalTriggerManager* a_manager, bool a_single_trigger,
                             Callback a_callback, void* a_object);

    void on_trigger_received(MusicalTrigger* a_trigger) override;

private:
    Callback m_callback;
    void* m_object;
};

} // namespace Tonvik
