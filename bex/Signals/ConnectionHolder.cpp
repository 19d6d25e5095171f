#include "bex/Signals/ConnectionHolder.h"

#include "bex/Core/Assert.h"

namespace Bex
{

Connection* ConnectionHolder::add(Connection* a_connection)
{
    BEX_ASSERT(a_connection);
    a_connection->increase_reference_counter();
    m_connections.push_back(a_connection);
    return a_connection;
}

void ConnectionHolder::release_all()
{
    Vector<Connection*> connections;
    connections.swap(m_connections);
    for (Connection* connection : connections)
        connection->decrease_reference_counter();
}

void ConnectionHolder::disconnect_all()
{
    Vector<Connection*> connections;
    connections.swap(m_connections);
    for (Connection* connection : connections)
        connection->disconnect_and_release();
}

} // namespace Bex
