#pragma once

#include <cstdint>

namespace Tonvik
{

// Called after a parameter's value was committed. Shared by several parameters and counted by
// hand: the last holder to let go deletes it. The pending link lets the audio thread collect
// callbacks without duplicates and without allocating.
class CommittableCallback
{
public:
    CommittableCallback() = default;
    CommittableCallback(const CommittableCallback&) = delete;
    CommittableCallback& operator=(const CommittableCallback&) = delete;
    virtual ~CommittableCallback() {}

    virtual void call() = 0;

    void add_reference() { ++m_reference_count; }
    void release()
    {
        if (--m_reference_count == 0)
            delete this;
    }
    uint32_t get_reference_count() const { return m_reference_count; }

    CommittableCallback* m_next_pending = nullptr;
    bool m_pending = false;

private:
    uint32_t m_reference_count = 0;
};

template <typename T>
class CommittableMethodCallback : public CommittableCallback
{
public:
    using Method = void (T::*)();

    CommittableMethodCallback(T* a_object, Method a_method) : m_object(a_object), m_method(a_method)
    {
    }

    void call() override { (m_object->*m_method)(); }

private:
    T* m_object;
    Method m_method;
};

// An intrusive queue of callbacks to call once each; adding one that is already pending does
// nothing.
class PendingCallbackList
{
public:
    void add(CommittableCallback* a_callback)
    {
        if (a_callback->m_pending)
            return;
        a_callback->m_pending = true;
        a_callback->m_next_pending = nullptr;
        if (m_last)
            m_last->m_next_pending = a_callback;
        else
            m_first = a_callback;
        m_last = a_callback;
    }

    bool empty() const { return !m_first; }

    // Each callback leaves the list before it is called, so a throwing callback leaves the others
    // unmarked and the list reusable.
    void call_all()
    {
        while (m_first)
        {
            CommittableCallback* callback = m_first;
            m_first = callback->m_next_pending;
            if (!m_first)
                m_last = nullptr;
            callback->m_pending = false;
            callback->m_next_pending = nullptr;
            try
            {
                callback->call();
            }
            catch (...)
            {
                clear();
                throw;
            }
        }
    }

    void clear()
    {
        while (m_first)
        {
            CommittableCallback* callback = m_first;
            m_first = callback->m_next_pending;
            callback->m_pending = false;
            callback->m_next_pending = nullptr;
        }
        m_last = nullptr;
    }

private:
    CommittableCallback* m_first = nullptr;
    CommittableCallback* m_last = nullptr;
};

} // namespace Tonvik
