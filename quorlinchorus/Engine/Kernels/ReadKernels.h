#pragma once

#include <cstdint>

namespace quorlinchorus
{

// Read positions from the transformed delay d, depth w and pitch modulation m:
// a = clamp(d + w), b = clamp(d), position = a + (b - a) * m. a_bounds holds four minimum lanes
// followed by four maximum lanes; clamping is max with the minimum, then min with the maximum.
void compute_positions(const float* a_delay, const float* a_depth, const float* a_modulation,
                       const float* a_bounds, float* a_position);

// Fractional reads. A position D + f (D its integer part) reads at age D + 1 + f, so the delay
// is continuous in the position and an integer position D gives exactly the sample of age D + 1.
// Linear touches ages D + 1 and D + 2; cubic touches D to D + 3 and interpolates between the
// middle two.
void read_linear(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                 const float* a_position, float* a_out);
void read_cubic(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                const float* a_position, float* a_out);

} // namespace quorlinchorus
