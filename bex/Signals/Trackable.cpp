#include "bex/Signals/Trackable.h"

#include "bex/Signals/Connection.h"

namespace Bex
{

Trackable::~Trackable()
{
    disconnect_all_tracked();
}

void Trackable::disconnect_all_tracked()
{
    // Each disconnect unlinks the front entry.
    while (!m_connections.empty())
        m_connections.front()->disconnect();
}

} // namespace Bex
