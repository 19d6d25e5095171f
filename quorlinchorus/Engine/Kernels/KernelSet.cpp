#include "quorlinchorus/Engine/Kernels/KernelSet.h"

#include "bex/Core/ProcessorFeatures.h"

#include <cstddef>
#include <initializer_list>

namespace quorlinchorus
{

// Defined by KernelsSse2.cpp and KernelsAvx2.cpp.
const KernelSet& get_sse2_kernel_set();
const KernelSet& get_avx2_kernel_set();

namespace
{

template <typename Kernel, std::size_t N>
int32_t find_in_sets(Kernel a_kernel, Kernel (KernelSet::*a_table)[N])
{
    for (const KernelSet* set : {&get_sse2_kernel_set(), &get_avx2_kernel_set()})
    {
        for (std::size_t i = 0; i < N; ++i)
        {
            if ((set->*a_table)[i] == a_kernel)
                return int32_t(i);
        }
    }
    return -1;
}

} // namespace

const KernelSet& get_kernel_set()
{
    static const KernelSet& set =
        get_kernel_set(Bex::use_avx2() ? InstructionSet_AVX2 : InstructionSet_SSE2);
    return set;
}

const KernelSet& get_kernel_set(InstructionSet a_instruction_set)
{
    return a_instruction_set == InstructionSet_AVX2 ? get_avx2_kernel_set() : get_sse2_kernel_set();
}

bool is_instruction_set_supported(InstructionSet a_instruction_set)
{
    return a_instruction_set == InstructionSet_SSE2 || Bex::has_avx2();
}

int32_t find_pan_law(PanLawKernel a_kernel)
{
    return find_in_sets(a_kernel, &KernelSet::m_pan_laws);
}

int32_t find_transformation(TransformKernel a_kernel)
{
    return find_in_sets(a_kernel, &KernelSet::m_transformations);
}

} // namespace quorlinchorus
