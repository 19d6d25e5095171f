#pragma once

#include <cstdint>
#include <list>
#include <type_traits>

#include "bex/Signals/Trackable.h"

namespace Bex
{

class Connection;

// The receiving end of connections. A slot lives as long as a connection uses it: every
// connection holds one reference and the slot deletes itself when the last one goes.
class Slot
{
public:
    Slot() = default;
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;

    // The object to be told when the subscriber goes away, or null.
    virtual Trackable* get_trackable() { return nullptr; }
    virtual ~Slot();

    uint64_t get_reference_counter() const { return m_reference_counter; }
    void increase_reference_counter() { ++m_reference_counter; }
    void decrease_reference_counter();

private:
    friend class Connection;
    friend class Signal;

    uint64_t m_reference_counter = 0;
    std::list<Connection*> m_connections;
};

// A slot for events of one type.
template <typename Event>
class Slot1 : public Slot
{
public:
    virtual void invoke(Event& a_event) = 0;
};

// A subscriber that is a Trackable ends its connections when it dies; any other does not.
template <typename Subscriber>
Trackable* trackable_of(Subscriber* a_subscriber)
{
    if constexpr (std::is_base_of_v<Trackable, Subscriber>)
        return a_subscriber ? static_cast<Trackable*>(a_subscriber) : nullptr;
    else
        return nullptr;
}

// Calls a member function of a subscriber with the event.
template <typename Event, typename Subscriber>
class MethodSlot1 : public Slot1<Event>
{
public:
    using Method = void (Subscriber::*)(Event&);

    MethodSlot1(Subscriber* a_subscriber, Method a_method)
        : m_subscriber(a_subscriber), m_method(a_method)
    {
    }

    Trackable* get_trackable() override { return trackable_of(m_subscriber); }

    void invoke(Event& a_event) override { (m_subscriber->*m_method)(a_event); }

private:
    Subscriber* m_subscriber;
    Method m_method;
};

// Calls a member function without arguments, dropping the event.
template <typename Event, typename Subscriber>
class VoidSlot1 : public Slot1<Event>
{
public:
    using Method = void (Subscriber::*)();

    VoidSlot1(Subscriber* a_subscriber, Method a_method)
        : m_subscriber(a_subscriber), m_method(a_method)
    {
    }

    Trackable* get_trackable() override { return trackable_of(m_subscriber); }

    void invoke(Event&) override { (m_subscriber->*m_method)(); }

private:
    Subscriber* m_subscriber;
    Method m_method;
};

} // namespace Bex
