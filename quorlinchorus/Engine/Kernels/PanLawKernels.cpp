#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"

#include "quorlinchorus/Engine/KernelTypes.h"

#include <emmintrin.h>

namespace quorlinchorus
{

namespace
{

inline __m128 position(const float* a_pan, const float* a_stereo, unsigned a_lane)
{
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 width = _mm_mul_ps(_mm_load_ps(a_pan + a_lane), _mm_load_ps(a_stereo + a_lane));
    return _mm_add_ps(_mm_mul_ps(width, half), half);
}

inline void store(float* a_gains, unsigned a_lane, __m128 a_left, __m128 a_right)
{
    _mm_store_ps(a_gains + a_lane, a_left);
    _mm_store_ps(a_gains + SubBlockSize + a_lane, a_right);
}

} // namespace

void pan_law_linear(const float* a_pan, const float* a_stereo, float* a_gains)
{
    const __m128 one = _mm_set1_ps(1.0f);
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        const __m128 u = position(a_pan, a_stereo, i);
        store(a_gains, i, _mm_sub_ps(one, u), u);
    }
}

void pan_law_sin_cos_high(const float* a_pan, const float* a_stereo, float* a_gains)
{
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 two = _mm_set1_ps(2.0f);
    const __m128 k = _mm_set1_ps(PanLawK);
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        const __m128 u = position(a_pan, a_stereo, i);
        const __m128 g = _mm_sub_ps(one, _mm_mul_ps(u, u));
        const __m128 h = _mm_mul_ps(u, _mm_sub_ps(two, u));
        const __m128 gg = _mm_mul_ps(g, g);
        const __m128 hh = _mm_mul_ps(h, h);
        store(a_gains, i, _mm_add_ps(_mm_mul_ps(_mm_sub_ps(g, gg), k), gg),
              _mm_add_ps(_mm_mul_ps(_mm_sub_ps(h, hh), k), hh));
    }
}

void pan_law_sin_cos_low(const float* a_pan, const float* a_stereo, float* a_gains)
{
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 two = _mm_set1_ps(2.0f);
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        const __m128 u = position(a_pan, a_stereo, i);
        store(a_gains, i, _mm_sub_ps(one, _mm_mul_ps(u, u)), _mm_mul_ps(u, _mm_sub_ps(two, u)));
    }
}

void pan_law_square_root(const float* a_pan, const float* a_stereo, float* a_gains)
{
    // sqrtps is correctly rounded, like the scalar square root, so every platform agrees.
    const __m128 one = _mm_set1_ps(1.0f);
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        const __m128 u = position(a_pan, a_stereo, i);
        store(a_gains, i, _mm_sqrt_ps(_mm_sub_ps(one, u)), _mm_sqrt_ps(u));
    }
}

} // namespace quorlinchorus
