#pragma once

#include <cstddef>
#include <list>

namespace Bex
{

class Connection;

// Base of subscribers whose connections must end with them: destroying a trackable cuts every
// connection whose slot calls into it.
class Trackable
{
public:
    Trackable() = default;
    // A copy is a new subscriber with no connections of its own.
    Trackable(const Trackable&) {}
    Trackable& operator=(const Trackable&) { return *this; }
    virtual ~Trackable();

    size_t get_connection_count() const { return m_connections.size(); }

    // Cuts every connection into this object now.
    void disconnect_all_tracked();

private:
    friend class Connection;

    std::list<Connection*> m_connections;
};

} // namespace Bex
