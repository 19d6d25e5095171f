#pragma once

#include <cstdint>
#include <list>

namespace Bex
{

class Signal;
class Slot;
class Trackable;

// Joins one signal to one slot. The connection is counted: the connected state itself is one
// reference and every holder (connection manager, holder list) adds one. Once cut, a connection
// is a blocked shell that is never invoked again and is freed when its last holder lets go, so a
// holder never points at freed memory whichever side goes away first.
class Connection
{
public:
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool is_blocked() const { return m_block_count != 0; }
    bool is_disconnected() const { return m_disconnected; }
    uint32_t get_block_count() const { return m_block_count; }
    uint64_t get_reference_counter() const { return m_reference_counter; }
    Signal* get_signal() const { return m_signal; }
    Slot* get_slot() const { return m_slot; }
    Trackable* get_trackable() const { return m_trackable; }

    void block() { ++m_block_count; }
    void unblock();

    void set_trackable(Trackable* a_trackable);

    void increase_reference_counter() { ++m_reference_counter; }
    // Frees the connection when the last reference goes.
    void decrease_reference_counter();

    // Cuts the connection: unlinks it from signal, slot and trackable and drops the reference of
    // the connected state. Holders keep the shell until they let go. Cutting twice does nothing.
    void disconnect();

    // What a holder does when it ends a connection: cut it, then let go of its own reference.
    void disconnect_and_release();

private:
    friend class Signal;
    friend class Trackable;
    friend class Slot;

    Connection() = default;
    ~Connection() = default;

    void p_unlink_trackable();
    void p_unlink_signal();
    void p_unlink_slot();

    uint32_t m_block_count = 0;
    bool m_disconnected = false;
    uint64_t m_reference_counter = 0;
    Signal* m_signal = nullptr;
    std::list<Connection*>::iterator m_signal_position;
    Slot* m_slot = nullptr;
    std::list<Connection*>::iterator m_slot_position;
    Trackable* m_trackable = nullptr;
    std::list<Connection*>::iterator m_trackable_position;
};

} // namespace Bex
