#pragma once

#include "bex/Signals/Connection.h"
#include "bex/Signals/Slot.h"

#include <cstddef>
#include <cstdint>
#include <list>

namespace Bex
{

// Publisher side of connections, independent of the event type. Connections are invoked in the
// order they were made. Slots may connect, block, unblock and disconnect connections of the
// signal that is emitting them; they must not destroy that signal.
class Signal
{
public:
    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    virtual ~Signal();

    // Cuts every connection; the signal stays usable.
    void disconnect_all();

    size_t get_connection_count() const { return m_connections.size() - m_removed_count; }

protected:
    Connection* p_connect(Slot* a_slot);

    // Walks the live list; entries removed during the walk are skipped and swept afterwards.
    template <typename Invoke>
    void p_emit(Invoke&& a_invoke)
    {
        ++m_emit_depth;
        for (auto position = m_connections.begin(); position != m_connections.end(); ++position)
        {
            Connection* connection = *position;
            if (connection && connection->m_block_count == 0)
                a_invoke(connection->m_slot);
        }
        if (--m_emit_depth == 0 && m_removed_count != 0)
            p_sweep();
    }

private:
    friend class Connection;

    void p_remove(std::list<Connection*>::iterator a_position);
    void p_sweep();

    std::list<Connection*> m_connections;
    uint32_t m_emit_depth = 0;
    size_t m_removed_count = 0;
};

template <typename SlotType>
class SignalX : public Signal
{
public:
    // The signal takes the slot; it is deleted with its last connection.
    Connection* connect(SlotType* a_slot) { return p_connect(a_slot); }

    template <typename Event>
    void emit(Event& a_event)
    {
        p_emit([&a_event](Slot* a_slot) { static_cast<SlotType*>(a_slot)->invoke(a_event); });
    }
};

// The signal that publishers declare: one event type, passed by reference.
template <typename Event>
class Signal1 : public SignalX<Slot1<Event>>
{
public:
    using SignalX<Slot1<Event>>::connect;

    // The method may belong to a base class of the subscriber.
    template <typename Subscriber, typename Class>
    Connection* connect(Subscriber* a_subscriber, void (Class::*a_method)(Event&))
    {
        return connect(new MethodSlot1<Event, Subscriber>(a_subscriber, a_method));
    }

    template <typename Subscriber, typename Class>
    Connection* connect(Subscriber* a_subscriber, void (Class::*a_method)())
    {
        return connect(new VoidSlot1<Event, Subscriber>(a_subscriber, a_method));
    }

    void emit(Event& a_event) { SignalX<Slot1<Event>>::emit(a_event); }
};

} // namespace Bex
