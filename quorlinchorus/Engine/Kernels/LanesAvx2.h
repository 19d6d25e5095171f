#pragma once

// Only for translation units compiled with -mavx2, whose code runs after the kernel set checked
// that the processor has AVX2.
#include <cstdint>
#include <immintrin.h>

namespace quorlinchorus
{

// Eight float lanes with AVX2: the same operations as LanesSse2, so every kernel gives the same
// bits with either. No fused multiply-add: a*b+c must round twice, as everywhere else.
struct LanesAvx2
{
    using Vector = __m256;
    static constexpr unsigned Width = 8;

    // Unaligned access: some arrays are aligned to 16 bytes only, which costs nothing when they
    // happen to be aligned to 32.
    static Vector load(const float* a_p) { return _mm256_loadu_ps(a_p); }
    static void store(float* a_p, Vector a_v) { _mm256_storeu_ps(a_p, a_v); }
    static void store_unaligned(float* a_p, Vector a_v) { _mm256_storeu_ps(a_p, a_v); }
    // The bits in which the lanes at a_x and a_y differ, and whether any lane has such a bit.
    using Bits = __m256i;
    static Bits differing_bits(const float* a_x, const float* a_y)
    {
        return _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(a_x)),
                                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a_y)));
    }
    static Bits either(Bits a_x, Bits a_y) { return _mm256_or_si256(a_x, a_y); }
    static bool none(Bits a_x) { return _mm256_testz_si256(a_x, a_x); }
    static Vector set1(float a_x) { return _mm256_set1_ps(a_x); }
    static Vector add(Vector a_x, Vector a_y) { return _mm256_add_ps(a_x, a_y); }
    static Vector sub(Vector a_x, Vector a_y) { return _mm256_sub_ps(a_x, a_y); }
    static Vector mul(Vector a_x, Vector a_y) { return _mm256_mul_ps(a_x, a_y); }
    static Vector min(Vector a_x, Vector a_y) { return _mm256_min_ps(a_x, a_y); }
    static Vector max(Vector a_x, Vector a_y) { return _mm256_max_ps(a_x, a_y); }
    static Vector sqrt(Vector a_x) { return _mm256_sqrt_ps(a_x); }
    static Vector load_four(const float* a_p)
    {
        return _mm256_broadcast_ps(reinterpret_cast<const __m128*>(a_p));
    }

    static Vector split(Vector a_position, const int32_t* a_write_indices, int32_t a_mask,
                        int32_t* a_newest)
    {
        const __m256i whole = _mm256_cvttps_epi32(a_position);
        const __m256i write = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a_write_indices));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(a_newest),
            _mm256_and_si256(_mm256_sub_epi32(write, whole), _mm256_set1_epi32(a_mask)));
        return _mm256_sub_ps(a_position, _mm256_cvtepi32_ps(whole));
    }

    // As LanesSse2 does it, with lanes k and k + 4 sharing a register: the in-lane shuffles of
    // AVX then transpose both halves at once.
    static void taps_linear(const float* a_channel, const int32_t* a_newest, Vector& a_q,
                            Vector& a_r)
    {
        const __m256 runs0145 =
            join(pairs(a_channel + a_newest[0] - 2, a_channel + a_newest[1] - 2),
                 pairs(a_channel + a_newest[4] - 2, a_channel + a_newest[5] - 2));
        const __m256 runs2367 =
            join(pairs(a_channel + a_newest[2] - 2, a_channel + a_newest[3] - 2),
                 pairs(a_channel + a_newest[6] - 2, a_channel + a_newest[7] - 2));
        a_q = _mm256_shuffle_ps(runs0145, runs2367, _MM_SHUFFLE(3, 1, 3, 1));
        a_r = _mm256_shuffle_ps(runs0145, runs2367, _MM_SHUFFLE(2, 0, 2, 0));
    }

    static void taps_cubic(const float* a_channel, const int32_t* a_newest, Vector& a_p,
                           Vector& a_q, Vector& a_r, Vector& a_t)
    {
        const __m256 row0 = join(_mm_loadu_ps(a_channel + a_newest[0] - 3),
                                 _mm_loadu_ps(a_channel + a_newest[4] - 3));
        const __m256 row1 = join(_mm_loadu_ps(a_channel + a_newest[1] - 3),
                                 _mm_loadu_ps(a_channel + a_newest[5] - 3));
        const __m256 row2 = join(_mm_loadu_ps(a_channel + a_newest[2] - 3),
                                 _mm_loadu_ps(a_channel + a_newest[6] - 3));
        const __m256 row3 = join(_mm_loadu_ps(a_channel + a_newest[3] - 3),
                                 _mm_loadu_ps(a_channel + a_newest[7] - 3));
        const __m256 low01 = _mm256_unpacklo_ps(row0, row1);
        const __m256 low23 = _mm256_unpacklo_ps(row2, row3);
        const __m256 high01 = _mm256_unpackhi_ps(row0, row1);
        const __m256 high23 = _mm256_unpackhi_ps(row2, row3);
        a_t = _mm256_shuffle_ps(low01, low23, _MM_SHUFFLE(1, 0, 1, 0));
        a_r = _mm256_shuffle_ps(low01, low23, _MM_SHUFFLE(3, 2, 3, 2));
        a_q = _mm256_shuffle_ps(high01, high23, _MM_SHUFFLE(1, 0, 1, 0));
        a_p = _mm256_shuffle_ps(high01, high23, _MM_SHUFFLE(3, 2, 3, 2));
    }

private:
    static __m256 join(__m128 a_low, __m128 a_high)
    {
        return _mm256_insertf128_ps(_mm256_castps128_ps256(a_low), a_high, 1);
    }
    static __m128 pairs(const float* a_low, const float* a_high)
    {
        const __m128 low = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(a_low));
        return _mm_loadh_pi(low, reinterpret_cast<const __m64*>(a_high));
    }
};

} // namespace quorlinchorus
