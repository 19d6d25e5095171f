#pragma once

// Linking tests/support's allocation counter replaces the test program's global allocation
// functions, so that a test can count the allocations made between two points on any thread, or
// make them fail.
namespace test_support
{

void start_counting_allocations();
// The number of allocations since start_counting_allocations().
long stop_counting_allocations();

// The next a_successes allocations succeed and the one after fails (null or std::bad_alloc, as
// the form of new asks); negative for never.
void fail_allocation_after(long a_successes);

} // namespace test_support
