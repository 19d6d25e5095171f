#include "bex/Signals/Slot.h"

#include "bex/Core/Assert.h"
#include "bex/Signals/Connection.h"

namespace Bex
{

Slot::~Slot()
{
    // Only reached with connections when a slot is deleted by hand; they become shells.
    while (!m_connections.empty())
    {
        Connection* connection = m_connections.front();
        m_connections.pop_front();
        connection->m_slot = nullptr;
        connection->disconnect();
    }
}

void Slot::decrease_reference_counter()
{
    BEX_ASSERT(m_reference_counter > 0);
    if (--m_reference_counter == 0)
        delete this;
}

} // namespace Bex
