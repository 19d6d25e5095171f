#include "bex/Signals/Connection.h"

#include "bex/Core/Assert.h"
#include "bex/Signals/Signal.h"
#include "bex/Signals/Slot.h"
#include "bex/Signals/Trackable.h"

namespace Bex
{

void Connection::unblock()
{
    BEX_ASSERT(m_block_count > 0);
    --m_block_count;
}

void Connection::set_trackable(Trackable* a_trackable)
{
    BEX_ASSERT(!m_trackable);
    if (!a_trackable)
        return;
    m_trackable = a_trackable;
    m_trackable_position =
        a_trackable->m_connections.insert(a_trackable->m_connections.end(), this);
}

void Connection::decrease_reference_counter()
{
    BEX_ASSERT(m_reference_counter > 0);
    if (--m_reference_counter != 0)
        return;
    p_unlink_trackable();
    p_unlink_signal();
    p_unlink_slot();
    delete this;
}

void Connection::disconnect()
{
    if (m_disconnected)
        return;
    m_disconnected = true;
    ++m_block_count;
    p_unlink_trackable();
    p_unlink_signal();
    p_unlink_slot();
    decrease_reference_counter();
}

void Connection::disconnect_and_release()
{
    // A live connection always carries its connected state besides the holder's reference.
    BEX_ASSERT(m_disconnected ? m_reference_counter > 0 : m_reference_counter > 1);
    disconnect();
    decrease_reference_counter();
}

void Connection::p_unlink_trackable()
{
    if (!m_trackable)
        return;
    m_trackable->m_connections.erase(m_trackable_position);
    m_trackable = nullptr;
}

void Connection::p_unlink_signal()
{
    if (!m_signal)
        return;
    m_signal->p_remove(m_signal_position);
    m_signal = nullptr;
}

void Connection::p_unlink_slot()
{
    if (!m_slot)
        return;
    Slot* slot = m_slot;
    slot->m_connections.erase(m_slot_position);
    m_slot = nullptr;
    slot->decrease_reference_counter();
}

} // namespace Bex
