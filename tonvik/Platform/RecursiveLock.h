#pragma once

#include <cstddef>

namespace Tonvik
{

// The device's critical sections: recursive, so that an operation holding a lock may call another
// that takes it again, with a non-blocking try for the audio thread. The platform object lives in
// place, so creating a lock never touches the heap after construction.
class RecursiveLock
{
public:
    RecursiveLock();
    ~RecursiveLock();
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void lock();
    bool try_lock();
    void unlock();

private:
    alignas(std::max_align_t) unsigned char m_storage[64];
};

class ScopedLock
{
public:
    explicit ScopedLock(RecursiveLock& a_lock) : m_lock(a_lock) { m_lock.lock(); }
    ~ScopedLock() { m_lock.unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    RecursiveLock& m_lock;
};

// Holds the lock only if it was free (or already this thread's).
class ScopedTryLock
{
public:
    explicit ScopedTryLock(RecursiveLock& a_lock) : m_lock(a_lock), m_owns(a_lock.try_lock()) {}
    ~ScopedTryLock()
    {
        if (m_owns)
            m_lock.unlock();
    }
    ScopedTryLock(const ScopedTryLock&) = delete;
    ScopedTryLock& operator=(const ScopedTryLock&) = delete;

    bool owns() const { return m_owns; }

private:
    RecursiveLock& m_lock;
    bool m_owns;
};

} // namespace Tonvik
