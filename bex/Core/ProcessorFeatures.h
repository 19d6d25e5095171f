#pragma once

namespace Bex
{

// Which vector kernels a process may run. Code with several versions of a kernel asks once, at
// start-up, and keeps the choice: every version gives the same bits, so the choice only changes
// speed.
//
// True when the processor and the operating system support AVX2.
bool has_avx2();
// True when the environment variable QUORLIN_BASELINE_KERNELS is set to anything but "" or "0":
// the SSE2 kernels are then used everywhere, as on a processor without AVX2.
bool is_baseline_forced();
// has_avx2() and not is_baseline_forced().
bool use_avx2();

} // namespace Bex
