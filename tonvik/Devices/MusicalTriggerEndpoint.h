#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

namespace Tonvik
{

class MusicalTrigger;
class MusicalTriggerManager;

// Something triggers connect to. A receiving endpoint is told each time a connected trigger fires.
class MusicalTriggerEndpoint
{
public:
    explicit MusicalTriggerEndpoint(bool a_receiving) : m_receiving(a_receiving) {}
    MusicalTriggerEndpoint(const MusicalTriggerEndpoint&) = delete;
    MusicalTriggerEndpoint& operator=(const MusicalTriggerEndpoint&) = delete;
    // An endpoint that goes away leaves its triggers. May be mixed into a parameter, whose
    // destructor can throw.
    virtual ~MusicalTriggerEndpoint() noexcept(false);

    virtual Bex::String get_identification_string() const { return u"No identification string"; }
    virtual void on_trigger_connected(MusicalTrigger*) {}
    virtual void on_trigger_disconnected(MusicalTrigger*) {}
    virtual void on_trigger_received(MusicalTrigger*) {}

    const Bex::Vector<MusicalTrigger*>& get_triggers() const { return m_triggers; }
    bool is_connected(const MusicalTrigger* a_trigger) const
    {
        for (const MusicalTrigger* trigger : m_triggers)
        {
            if (trigger == a_trigger)
                return true;
        }
        return false;
    }

    Bex::Vector<MusicalTrigger*> m_triggers;
    bool m_receiving;
    // The manager of the connections, set by the first one.
    MusicalTriggerManager* m_manager = nullptr;
};

} // namespace Tonvik
