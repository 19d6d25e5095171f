#include "tonvik/Platform/RecursiveLock.h"

#include <mutex>
#include <new>

namespace Tonvik
{

namespace
{

std::recursive_mutex& native(unsigned char* a_storage)
{
    return *std::launder(reinterpret_cast<std::recursive_mutex*>(a_storage));
}

} // namespace

static_assert(sizeof(std::recursive_mutex) <= 64);
static_assert(alignof(std::recursive_mutex) <= alignof(std::max_align_t));

RecursiveLock::RecursiveLock()
{
    new (m_storage) std::recursive_mutex();
}

RecursiveLock::~RecursiveLock()
{
    native(m_storage).~recursive_mutex();
}

void RecursiveLock::lock()
{
    native(m_storage).lock();
}

bool RecursiveLock::try_lock()
{
    return native(m_storage).try_lock();
}

void RecursiveLock::unlock()
{
    native(m_storage).unlock();
}

} // namespace Tonvik
