#include "tests/support/AllocationCounter.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace
{

std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
std::atomic<long> g_failure_countdown{-1};

// Aligned by hand, with malloc's pointer kept just below the result: the C library's aligned
// allocators differ between platforms.
void* allocate(std::size_t a_bytes, std::size_t a_alignment)
{
    if (g_counting)
        ++g_allocations;
    if (g_failure_countdown >= 0 && g_failure_countdown-- == 0)
        return nullptr;
    const std::size_t alignment = a_alignment < sizeof(void*) ? sizeof(void*) : a_alignment;
    void* block = std::malloc(a_bytes + alignment + sizeof(void*));
    if (!block)
        return nullptr;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(block) + sizeof(void*);
    void** memory = reinterpret_cast<void**>((start + alignment - 1) / alignment * alignment);
    memory[-1] = block;
    return memory;
}

void* allocate_or_throw(std::size_t a_bytes, std::size_t a_alignment)
{
    if (void* memory = allocate(a_bytes, a_alignment))
        return memory;
    throw std::bad_alloc();
}

void release(void* a_memory)
{
    if (a_memory)
        std::free(static_cast<void**>(a_memory)[-1]);
}

} // namespace

namespace test_support
{

void start_counting_allocations()
{
    g_allocations = 0;
    g_counting = true;
}

long stop_counting_allocations()
{
    g_counting = false;
    return g_allocations;
}

void fail_allocation_after(long a_successes)
{
    g_failure_countdown = a_successes;
}

} // namespace test_support

void* operator new(std::size_t a_bytes)
{
    return allocate_or_throw(a_bytes, alignof(std::max_align_t));
}
void* operator new(std::size_t a_bytes, std::align_val_t a_alignment)
{
    return allocate_or_throw(a_bytes, std::size_t(a_alignment));
}
void* operator new(std::size_t a_bytes, const std::nothrow_t&) noexcept
{
    return allocate(a_bytes, alignof(std::max_align_t));
}
void* operator new(std::size_t a_bytes, std::align_val_t a_alignment,
                   const std::nothrow_t&) noexcept
{
    return allocate(a_bytes, std::size_t(a_alignment));
}
void operator delete(void* a_memory) noexcept
{
    release(a_memory);
}
void operator delete(void* a_memory, std::size_t) noexcept
{
    release(a_memory);
}
void operator delete(void* a_memory, std::align_val_t) noexcept
{
    release(a_memory);
}
void operator delete(void* a_memory, std::size_t, std::align_val_t) noexcept
{
    release(a_memory);
}
