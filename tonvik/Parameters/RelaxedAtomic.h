#pragma once

#include <atomic>

namespace Tonvik
{

// A value that one thread writes under the parameter lock while the audio thread reads it during a
// commit without that lock. Each access is a single relaxed atomic load or store: the values are
// independent of each other, and the commit queue's lock orders the change that matters (the one
// that enlisted the parameter) before the commit that reads it.
template <typename T>
class RelaxedAtomic
{
public:
    RelaxedAtomic() : m_value(T()) {}
    RelaxedAtomic(T a_value) : m_value(a_value) {}
    RelaxedAtomic(const RelaxedAtomic& a_other) : m_value(a_other.load()) {}
    RelaxedAtomic& operator=(const RelaxedAtomic& a_other)
    {
        store(a_other.load());
        return *this;
    }
    RelaxedAtomic& operator=(T a_value)
    {
        store(a_value);
        return *this;
    }

    operator T() const { return load(); }
    T operator->() const { return load(); }

    T load() const { return m_value.load(std::memory_order_relaxed); }
    void store(T a_value) { m_value.store(a_value, std::memory_order_relaxed); }

private:
    std::atomic<T> m_value;
};

} // namespace Tonvik
