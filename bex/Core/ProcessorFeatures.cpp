#include "bex/Core/ProcessorFeatures.h"

#include <cstdlib>
#include <cstring>

namespace Bex
{

bool has_avx2()
{
    // Also checks that the operating system saves the 256-bit registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

bool is_baseline_forced()
{
    const char* value = std::getenv("QUORLIN_BASELINE_KERNELS");
    return value && *value && std::strcmp(value, "0") != 0;
}

bool use_avx2()
{
    return has_avx2() && !is_baseline_forced();
}

} // namespace Bex
