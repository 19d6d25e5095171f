#include "quorlinchorus/Engine/Reference/ReferenceKernels.h"

#include "quorlinchorus/Engine/Kernels/KernelSet.h"
#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"

#include "bex/Core/Assert.h"

#include <cmath>

namespace quorlinchorus
{

namespace
{

// The lane-wise max and min of the vector code: with a NaN or equal operands they answer the
// second operand, which std::max and std::min do not.
inline float lane_max(float a_x, float a_y)
{
    return a_x > a_y ? a_x : a_y;
}

inline float lane_min(float a_x, float a_y)
{
    return a_x < a_y ? a_x : a_y;
}

inline float pan_position(const float* a_pan, const float* a_stereo, unsigned a_k)
{
    return a_pan[a_k] * a_stereo[a_k] * 0.5f + 0.5f;
}

inline uint32_t index_of(const int32_t* a_write_indices, unsigned a_k, int32_t a_whole,
                         uint32_t a_age, int32_t a_mask)
{
    return (uint32_t(a_write_indices[a_k]) - uint32_t(a_whole) - a_age) & uint32_t(a_mask);
}

} // namespace

void reference_transform_offset(const float* a_x, const float* a_offset, const float*, float* a_out)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
        a_out[k] = a_x[k] + a_offset[k];
}

void reference_transform_offset_scale(const float* a_x, const float* a_offset, const float* a_scale,
                                      float* a_out)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
        a_out[k] = (a_x[k] + a_offset[k]) * a_scale[k];
}

void reference_transform_scale(const float* a_x, const float*, const float* a_scale, float* a_out)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
        a_out[k] = a_x[k] * a_scale[k];
}

void reference_transform_scale_offset(const float* a_x, const float* a_offset, const float* a_scale,
                                      float* a_out)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
        a_out[k] = a_x[k] * a_scale[k] + a_offset[k];
}

void reference_pan_law_linear(const float* a_pan, const float* a_stereo, float* a_gains)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
    {
        const float u = pan_position(a_pan, a_stereo, k);
        a_gains[k] = 1.0f - u;
        a_gains[SubBlockSize + k] = u;
    }
}

void reference_pan_law_sin_cos_high(const float* a_pan, const float* a_stereo, float* a_gains)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
    {
        const float u = pan_position(a_pan, a_stereo, k);
        const float g = 1.0f - u * u;
        const float h = u * (2.0f - u);
        a_gains[k] = (g - g * g) * PanLawK + g * g;
        a_gains[SubBlockSize + k] = (h - h * h) * PanLawK + h * h;
    }
}

void reference_pan_law_sin_cos_low(const float* a_pan, const float* a_stereo, float* a_gains)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
    {
        const float u = pan_position(a_pan, a_stereo, k);
        a_gains[k] = 1.0f - u * u;
        a_gains[SubBlockSize + k] = u * (2.0f - u);
    }
}

void reference_pan_law_square_root(const float* a_pan, const float* a_stereo, float* a_gains)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
    {
        const float u = pan_position(a_pan, a_stereo, k);
        a_gains[k] = std::sqrt(1.0f - u);
        a_gains[SubBlockSize + k] = std::sqrt(u);
    }
}

void reference_compute_positions(const float* a_delay, const float* a_depth,
                                 const float* a_modulation, const float* a_bounds,
                                 float* a_position)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
    {
        const float lo = a_bounds[k % 4];
        const float hi = a_bounds[4 + k % 4];
        const float a = lane_min(lane_max(a_delay[k] + a_depth[k], lo), hi);
        const float b = lane_min(lane_max(a_delay[k], lo), hi);
        a_position[k] = a + (b - a) * a_modulation[k];
    }
}

void reference_read_linear(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                           const float* a_position, float* a_out)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
    {
        const int32_t whole = int32_t(a_position[k]);
        const float f = a_position[k] - float(whole);
        const float q = a_channel[index_of(a_write_indices, k, whole, 1, a_mask)];
        const float r = a_channel[index_of(a_write_indices, k, whole, 2, a_mask)];
        a_out[k] = q + (r - q) * f;
    }
}

void reference_read_cubic(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                          const float* a_position, float* a_out)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
    {
        const int32_t whole = int32_t(a_position[k]);
        const float f = a_position[k] - float(whole);
        const float p = a_channel[index_of(a_write_indices, k, whole, 0, a_mask)];
        const float q = a_channel[index_of(a_write_indices, k, whole, 1, a_mask)];
        const float r = a_channel[index_of(a_write_indices, k, whole, 2, a_mask)];
        const float t = a_channel[index_of(a_write_indices, k, whole, 3, a_mask)];
        const float a = (3.0f * (q - r) - p + t) * 0.5f;
        const float b = (2.0f * r + p) - (5.0f * q + t) * 0.5f;
        const float c = (r - p) * 0.5f;
        a_out[k] = ((a * f + b) * f + c) * f + q;
    }
}

TransformKernel reference_transform_for(TransformKernel a_kernel)
{
    if (!a_kernel)
        return nullptr;
    static constexpr TransformKernel references[Transformation_ENUM_SIZE] = {
        &reference_transform_offset, &reference_transform_offset_scale, &reference_transform_scale,
        &reference_transform_scale_offset};
    const int32_t index = find_transformation(a_kernel);
    BEX_ASSERT(index >= 0);
    return references[index];
}

PanLawKernel reference_pan_law_for(PanLawKernel a_kernel)
{
    static constexpr PanLawKernel references[PanLaw_ENUM_SIZE] = {
        &reference_pan_law_linear, &reference_pan_law_sin_cos_high, &reference_pan_law_sin_cos_low,
        &reference_pan_law_square_root};
    const int32_t index = find_pan_law(a_kernel);
    BEX_ASSERT(index >= 0);
    return references[index];
}

ReadKernel reference_read_for(InterpolationAlgorithm a_algorithm)
{
    return a_algorithm == InterpolationAlgorithm_CUBIC ? &reference_read_cubic
                                                       : &reference_read_linear;
}

} // namespace quorlinchorus
