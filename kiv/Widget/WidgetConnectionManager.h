#pragma once

#include "bex/Core/Vector.h"
#include "bex/Signals/Connection.h"

namespace Kiv
{

enum WidgetConnectionLifetime
{
    WidgetConnectionLifetime_DESKTOP = 0,
    WidgetConnectionLifetime_WIDGET = 1,
};

// Ties connections to a widget's stay on its desktop or to its life. Each entry holds one
// reference on its connection, so a connection whose signal died first is still safe to cut.
class WidgetConnectionManager
{
public:
    WidgetConnectionManager() = default;
    WidgetConnectionManager(const WidgetConnectionManager&) = delete;
    WidgetConnectionManager& operator=(const WidgetConnectionManager&) = delete;
    ~WidgetConnectionManager();

    Bex::Connection* add_connection(Bex::Connection* a_connection,
                                    WidgetConnectionLifetime a_lifetime);
    // Cuts and drops every entry whose lifetime is at most a_lifetime.
    void disconnect(WidgetConnectionLifetime a_lifetime);

    size_t get_count() const { return m_entries.size(); }

private:
    struct Entry
    {
        Bex::Connection* connection;
        WidgetConnectionLifetime lifetime;
    };

    Bex::Vector<Entry> m_entries;
};

} // namespace Kiv
