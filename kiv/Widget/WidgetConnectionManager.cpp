#include "kiv/Widget/WidgetConnectionManager.h"

#include "bex/Core/Assert.h"

namespace Kiv
{

WidgetConnectionManager::~WidgetConnectionManager()
{
    disconnect(WidgetConnectionLifetime_WIDGET);
}

Bex::Connection* WidgetConnectionManager::add_connection(Bex::Connection* a_connection,
                                                         WidgetConnectionLifetime a_lifetime)
{
    BEX_ASSERT(a_connection);
    a_connection->increase_reference_counter();
    m_entries.push_back({a_connection, a_lifetime});
    return a_connection;
}

void WidgetConnectionManager::disconnect(WidgetConnectionLifetime a_lifetime)
{
    // Cutting a connection may run code that adds entries; work on what is there now.
    Bex::Vector<Entry> entries;
    entries.swap(m_entries);
    for (const Entry& entry : entries)
    {
        if (entry.lifetime <= a_lifetime)
            entry.connection->disconnect_and_release();
        else
            m_entries.push_back(entry);
    }
}

} // namespace Kiv
