#pragma once

#include <cstdint>

namespace Tonvik
{

// OUT = f(P, A, R, M) over 16 lanes: P the chain's input, A the entry's "Range", R the selected
// signal vector, M the modulator's "Amount". OUT may be P (chains run in place).
using ModulationKernel = void (*)(const float* a_p, const float* a_a, const float* a_r,
                                  const float* a_m, float* a_out);

// The 4-lane kernel for a modification type (1 to 16); null for any other value.
ModulationKernel get_modulation_kernel(uint32_t a_type);
// The scalar form of the same formula with the same product order, for tests.
ModulationKernel get_reference_modulation_kernel(uint32_t a_type);

} // namespace Tonvik
