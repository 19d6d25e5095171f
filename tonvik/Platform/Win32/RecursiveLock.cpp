#include "tonvik/Platform/RecursiveLock.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <new>

namespace Tonvik
{

namespace
{

CRITICAL_SECTION* native(unsigned char* a_storage)
{
    return std::launder(reinterpret_cast<CRITICAL_SECTION*>(a_storage));
}

} // namespace

static_assert(sizeof(CRITICAL_SECTION) <= 64);
static_assert(alignof(CRITICAL_SECTION) <= alignof(std::max_align_t));

RecursiveLock::RecursiveLock()
{
    InitializeCriticalSection(new (m_storage) CRITICAL_SECTION);
}

RecursiveLock::~RecursiveLock()
{
    DeleteCriticalSection(native(m_storage));
}

void RecursiveLock::lock()
{
    EnterCriticalSection(native(m_storage));
}

bool RecursiveLock::try_lock()
{
    return TryEnterCriticalSection(native(m_storage)) != 0;
}

void RecursiveLock::unlock()
{
    LeaveCriticalSection(native(m_storage));
}

} // namespace Tonvik
