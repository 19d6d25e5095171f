#include "bex/Signals/Signal.h"

#include "bex/Core/Assert.h"

namespace Bex
{

Signal::~Signal()
{
    while (!m_connections.empty())
    {
        Connection* connection = m_connections.front();
        m_connections.pop_front();
        if (!connection)
            continue;
        connection->m_signal = nullptr;
        connection->disconnect();
    }
}

void Signal::disconnect_all()
{
    for (auto position = m_connections.begin(); position != m_connections.end();)
    {
        auto next = std::next(position);
        if (Connection* connection = *position)
            connection->disconnect();
        position = next;
    }
}

Connection* Signal::p_connect(Slot* a_slot)
{
    BEX_ASSERT(a_slot);
    Connection* connection = new Connection();
    connection->m_signal = this;
    connection->m_signal_position = m_connections.insert(m_connections.end(), connection);
    connection->m_slot = a_slot;
    a_slot->increase_reference_counter();
    connection->m_slot_position =
        a_slot->m_connections.insert(a_slot->m_connections.end(), connection);
    connection->m_reference_counter = 1;
    connection->set_trackable(a_slot->get_trackable());
    return connection;
}

void Signal::p_remove(std::list<Connection*>::iterator a_position)
{
    if (m_emit_depth == 0)
    {
        m_connections.erase(a_position);
        return;
    }
    // The walk may stand on this entry: leave a hole and sweep once the emission ends.
    *a_position = nullptr;
    ++m_removed_count;
}

void Signal::p_sweep()
{
    m_connections.remove(nullptr);
    m_removed_count = 0;
}

} // namespace Bex
