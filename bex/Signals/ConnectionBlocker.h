#pragma once

#include "bex/Signals/Connection.h"

namespace Bex
{

// Keeps a connection blocked for its own lifetime.
class ConnectionBlocker
{
public:
    explicit ConnectionBlocker(Connection* a_connection) : m_connection(a_connection)
    {
        if (m_connection)
            m_connection->block();
    }
    ~ConnectionBlocker()
    {
        if (m_connection)
            m_connection->unblock();
    }
    ConnectionBlocker(const ConnectionBlocker&) = delete;
    ConnectionBlocker& operator=(const ConnectionBlocker&) = delete;

private:
    Connection* m_connection;
};

} // namespace Bex
