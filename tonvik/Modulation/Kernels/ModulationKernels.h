#pragma once

#include <cstdint>

namespace Tonvik
{

// OUT = f(P, A, R, M) over 16 lanes: P the chain's input, A the entry's "Range", R the selected
// signal vector, M the modulator's "Amount". OUT may be P (chains run in place).
using ModulationKernel = void (*)(const float* a_p, const float* a_a, const float* a_r,
                                  const float* a_m, float* a_out);

// What a finishing kernel needs of one entry besides R and M.
struct FinishingEntry
{
    const float* m_p;
    const float* m_a;
    float* m_out;
    float* m_final;
};

// A kernel for last entries of chains that read the same R and M: for each entry, besides OUT it
// writes the target's value FINAL, OUT clamped to [0, 1] on the sides the chain's bounds state
// leaves open, as the final function of a target that needs no conversion would.
using FinishingModulationKernel = void (*)(const FinishingEntry* a_entries, uint32_t a_count,
                                           const float* a_r, const float* a_m);

// The 4-lane kernel for a modification type (1 to 16); null for any other value.
ModulationKernel get_modulation_kernel(uint32_t a_type);
// The finishing kernel for a modification type and a bounds state (0 to 3); null for others.
FinishingModulationKernel get_finishing_modulation_kernel(uint32_t a_type, uint32_t a_bounds_state);
// The scalar form of the same formula with the same product order, for tests.
ModulationKernel get_reference_modulation_kernel(uint32_t a_type);

} // namespace Tonvik
