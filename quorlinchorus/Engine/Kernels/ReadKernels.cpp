#include "quorlinchorus/Engine/Kernels/ReadKernels.h"

#include "quorlinchorus/Engine/KernelTypes.h"

#include <emmintrin.h>

namespace quorlinchorus
{

namespace
{

inline __m128i load_indices(const int32_t* a_indices)
{
    return _mm_load_si128(reinterpret_cast<const __m128i*>(a_indices));
}

// Splits four read positions into their whole parts D, as the index of each lane's sample of age D
// in a_newest, and their fractions, returned.
inline __m128 split_positions(const float* a_position, const int32_t* a_write_indices,
                              __m128i a_mask, int32_t* a_newest)
{
    const __m128 position = _mm_load_ps(a_position);
    const __m128i whole = _mm_cvttps_epi32(position);
    _mm_store_si128(reinterpret_cast<__m128i*>(a_newest),
                    _mm_and_si128(_mm_sub_epi32(load_indices(a_write_indices), whole), a_mask));
    return _mm_sub_ps(position, _mm_cvtepi32_ps(whole));
}

// Two unaligned pairs of floats into the low and high halves of a vector.
inline __m128 load_pairs(const float* a_low, const float* a_high)
{
    const __m128 low = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(a_low));
    return _mm_loadh_pi(low, reinterpret_cast<const __m64*>(a_high));
}

} // namespace

void compute_positions(const float* a_delay, const float* a_depth, const float* a_modulation,
                       const float* a_bounds, float* a_position)
{
    const __m128 lo = _mm_load_ps(a_bounds);
    const __m128 hi = _mm_load_ps(a_bounds + 4);
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        const __m128 d = _mm_load_ps(a_delay + i);
        const __m128 a = _mm_min_ps(_mm_max_ps(_mm_add_ps(d, _mm_load_ps(a_depth + i)), lo), hi);
        const __m128 b = _mm_min_ps(_mm_max_ps(d, lo), hi);
        const __m128 m = _mm_load_ps(a_modulation + i);
        _mm_store_ps(a_position + i, _mm_add_ps(a, _mm_mul_ps(_mm_sub_ps(b, a), m)));
    }
}

// The taps of a lane are consecutive in memory (older samples at lower indices), and the channel's
// guard repeats its end before its start, so each lane's taps are loaded as one short run from just
// below its newest tap and the runs are transposed into one vector per age.

void read_linear(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                 const float* a_position, float* a_out)
{
    const __m128i mask = _mm_set1_epi32(a_mask);
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        alignas(16) int32_t newest[4];
        const __m128 f = split_positions(a_position + i, a_write_indices + i, mask, newest);

        // Each run is (age D + 2, age D + 1).
        const __m128 runs01 = load_pairs(a_channel + newest[0] - 2, a_channel + newest[1] - 2);
        const __m128 runs23 = load_pairs(a_channel + newest[2] - 2, a_channel + newest[3] - 2);
        const __m128 q = _mm_shuffle_ps(runs01, runs23, _MM_SHUFFLE(3, 1, 3, 1));
        const __m128 r = _mm_shuffle_ps(runs01, runs23, _MM_SHUFFLE(2, 0, 2, 0));
        _mm_store_ps(a_out + i, _mm_add_ps(q, _mm_mul_ps(_mm_sub_ps(r, q), f)));
    }
}

void read_cubic(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                const float* a_position, float* a_out)
{
    const __m128i mask = _mm_set1_epi32(a_mask);
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 two = _mm_set1_ps(2.0f);
    const __m128 three = _mm_set1_ps(3.0f);
    const __m128 five = _mm_set1_ps(5.0f);
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        alignas(16) int32_t newest[4];
        const __m128 f = split_positions(a_position + i, a_write_indices + i, mask, newest);

        // Each run is (age D + 3, D + 2, D + 1, D); transposed they become t, r, q and p.
        __m128 t = _mm_loadu_ps(a_channel + newest[0] - 3);
        __m128 r = _mm_loadu_ps(a_channel + newest[1] - 3);
        __m128 q = _mm_loadu_ps(a_channel + newest[2] - 3);
        __m128 p = _mm_loadu_ps(a_channel + newest[3] - 3);
        _MM_TRANSPOSE4_PS(t, r, q, p);

        const __m128 a =
            _mm_mul_ps(_mm_add_ps(_mm_sub_ps(_mm_mul_ps(three, _mm_sub_ps(q, r)), p), t), half);
        const __m128 b = _mm_sub_ps(_mm_add_ps(_mm_mul_ps(two, r), p),
                                    _mm_mul_ps(_mm_add_ps(_mm_mul_ps(five, q), t), half));
        const __m128 c = _mm_mul_ps(_mm_sub_ps(r, p), half);
        const __m128 y = _mm_add_ps(
            _mm_mul_ps(_mm_add_ps(_mm_mul_ps(_mm_add_ps(_mm_mul_ps(a, f), b), f), c), f), q);
        _mm_store_ps(a_out + i, y);
    }
}

} // namespace quorlinchorus
