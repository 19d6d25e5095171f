#include "quorlinchorus/Engine/Kernels/TransformKernels.h"

#include "quorlinchorus/Engine/KernelTypes.h"

#include <emmintrin.h>

namespace quorlinchorus
{

void transform_offset(const float* a_x, const float* a_offset, const float*, float* a_out)
{
    for (unsigned i = 0; i < SubBlockSize; i += 4)
        _mm_store_ps(a_out + i, _mm_add_ps(_mm_load_ps(a_x + i), _mm_load_ps(a_offset + i)));
}

void transform_offset_scale(const float* a_x, const float* a_offset, const float* a_scale,
                            float* a_out)
{
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        const __m128 sum = _mm_add_ps(_mm_load_ps(a_x + i), _mm_load_ps(a_offset + i));
        _mm_store_ps(a_out + i, _mm_mul_ps(sum, _mm_load_ps(a_scale + i)));
    }
}

void transform_scale(const float* a_x, const float*, const float* a_scale, float* a_out)
{
    for (unsigned i = 0; i < SubBlockSize; i += 4)
        _mm_store_ps(a_out + i, _mm_mul_ps(_mm_load_ps(a_x + i), _mm_load_ps(a_scale + i)));
}

void transform_scale_offset(const float* a_x, const float* a_offset, const float* a_scale,
                            float* a_out)
{
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        const __m128 product = _mm_mul_ps(_mm_load_ps(a_x + i), _mm_load_ps(a_scale + i));
        _mm_store_ps(a_out + i, _mm_add_ps(product, _mm_load_ps(a_offset + i)));
    }
}

} // namespace quorlinchorus
