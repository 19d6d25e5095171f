#pragma once

#include <cstdint>
#include <emmintrin.h>

namespace quorlinchorus
{

// Four float lanes with SSE2, the instruction set every x86-64 processor has. KernelBodies.h
// writes each kernel once over a lane type; LanesAvx2.h is the eight-lane twin.
struct LanesSse2
{
    using Vector = __m128;
    static constexpr unsigned Width = 4;

    static Vector load(const float* a_p) { return _mm_load_ps(a_p); }
    static void store(float* a_p, Vector a_v) { _mm_store_ps(a_p, a_v); }
    static void store_unaligned(float* a_p, Vector a_v) { _mm_storeu_ps(a_p, a_v); }
    // The bits in which the lanes at a_x and a_y differ, and whether any lane has such a bit.
    using Bits = __m128i;
    static Bits differing_bits(const float* a_x, const float* a_y)
    {
        return _mm_xor_si128(_mm_load_si128(reinterpret_cast<const __m128i*>(a_x)),
                             _mm_load_si128(reinterpret_cast<const __m128i*>(a_y)));
    }
    static Bits either(Bits a_x, Bits a_y) { return _mm_or_si128(a_x, a_y); }
    static bool none(Bits a_x)
    {
        return _mm_movemask_epi8(_mm_cmpeq_epi32(a_x, _mm_setzero_si128())) == 0xFFFF;
    }
    static Vector set1(float a_x) { return _mm_set1_ps(a_x); }
    static Vector add(Vector a_x, Vector a_y) { return _mm_add_ps(a_x, a_y); }
    static Vector sub(Vector a_x, Vector a_y) { return _mm_sub_ps(a_x, a_y); }
    static Vector mul(Vector a_x, Vector a_y) { return _mm_mul_ps(a_x, a_y); }
    static Vector min(Vector a_x, Vector a_y) { return _mm_min_ps(a_x, a_y); }
    static Vector max(Vector a_x, Vector a_y) { return _mm_max_ps(a_x, a_y); }
    static Vector sqrt(Vector a_x) { return _mm_sqrt_ps(a_x); }
    // Four lanes of a table of four, repeated to the width.
    static Vector load_four(const float* a_p) { return _mm_load_ps(a_p); }

    // Splits read positions into their whole parts D, stored as the index of each lane's sample
    // of age D in a_newest, and their fractions, returned.
    static Vector split(Vector a_position, const int32_t* a_write_indices, int32_t a_mask,
                        int32_t* a_newest)
    {
        const __m128i whole = _mm_cvttps_epi32(a_position);
        const __m128i write = _mm_load_si128(reinterpret_cast<const __m128i*>(a_write_indices));
        _mm_store_si128(reinterpret_cast<__m128i*>(a_newest),
                        _mm_and_si128(_mm_sub_epi32(write, whole), _mm_set1_epi32(a_mask)));
        return _mm_sub_ps(a_position, _mm_cvtepi32_ps(whole));
    }

    // The taps of a lane are consecutive in memory (older samples at lower indices), and a
    // channel's guard repeats its end before its start, so each lane's taps are loaded as one
    // short run from just below its newest tap and the runs are transposed into one vector per
    // age. Linear: q of age D + 1 and r of age D + 2.
    static void taps_linear(const float* a_channel, const int32_t* a_newest, Vector& a_q,
                            Vector& a_r)
    {
        const __m128 runs01 = pairs(a_channel + a_newest[0] - 2, a_channel + a_newest[1] - 2);
        const __m128 runs23 = pairs(a_channel + a_newest[2] - 2, a_channel + a_newest[3] - 2);
        a_q = _mm_shuffle_ps(runs01, runs23, _MM_SHUFFLE(3, 1, 3, 1));
        a_r = _mm_shuffle_ps(runs01, runs23, _MM_SHUFFLE(2, 0, 2, 0));
    }

    // Cubic: p, q, r and t of ages D to D + 3.
    static void taps_cubic(const float* a_channel, const int32_t* a_newest, Vector& a_p,
                           Vector& a_q, Vector& a_r, Vector& a_t)
    {
        __m128 t = _mm_loadu_ps(a_channel + a_newest[0] - 3);
        __m128 r = _mm_loadu_ps(a_channel + a_newest[1] - 3);
        __m128 q = _mm_loadu_ps(a_channel + a_newest[2] - 3);
        __m128 p = _mm_loadu_ps(a_channel + a_newest[3] - 3);
        _MM_TRANSPOSE4_PS(t, r, q, p);
        a_p = p;
        a_q = q;
        a_r = r;
        a_t = t;
    }

private:
    static __m128 pairs(const float* a_low, const float* a_high)
    {
        const __m128 low = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(a_low));
        return _mm_loadh_pi(low, reinterpret_cast<const __m64*>(a_high));
    }
};

} // namespace quorlinchorus
