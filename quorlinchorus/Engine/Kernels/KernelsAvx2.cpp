// The AVX2 kernels. This file alone is compiled with -mavx2; its code runs only after
// get_kernel_set found AVX2 on the processor. Everything here is a template instantiated with
// LanesAvx2, so no inline function shared with baseline code is compiled with AVX2 instructions.
#include "quorlinchorus/Engine/Kernels/KernelBodies.h"
#include "quorlinchorus/Engine/Kernels/LanesAvx2.h"

namespace quorlinchorus
{

const KernelSet& get_avx2_kernel_set()
{
    static constexpr KernelSet set = kernel_bodies::make_kernel_set<LanesAvx2>(InstructionSet_AVX2);
    return set;
}

} // namespace quorlinchorus
