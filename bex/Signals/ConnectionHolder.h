#pragma once

#include "bex/Core/Vector.h"
#include "bex/Signals/Connection.h"

namespace Bex
{

// Keeps references to connections so that they stay valid to look at (and to block) even after
// their signal or slot is gone; lets go of all of them when destroyed.
class ConnectionHolder
{
public:
    ConnectionHolder() = default;
    ConnectionHolder(const ConnectionHolder&) = delete;
    ConnectionHolder& operator=(const ConnectionHolder&) = delete;
    ~ConnectionHolder() { release_all(); }

    Connection* add(Connection* a_connection);
    void release_all();
    // Cuts every held connection and lets go of it.
    void disconnect_all();

    size_t get_count() const { return m_connections.size(); }

private:
    Vector<Connection*> m_connections;
};

} // namespace Bex
