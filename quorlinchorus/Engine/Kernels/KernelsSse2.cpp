// The baseline kernels: SSE2, which every x86-64 processor has.
#include "quorlinchorus/Engine/Kernels/KernelBodies.h"
#include "quorlinchorus/Engine/Kernels/LanesSse2.h"
#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"
#include "quorlinchorus/Engine/Kernels/ReadKernels.h"
#include "quorlinchorus/Engine/Kernels/TransformKernels.h"

namespace quorlinchorus
{

namespace bodies = kernel_bodies;

void pan_law_linear(const float* a_pan, const float* a_stereo, float* a_gains)
{
    bodies::pan_law_linear<LanesSse2>(a_pan, a_stereo, a_gains);
}

void pan_law_sin_cos_high(const float* a_pan, const float* a_stereo, float* a_gains)
{
    bodies::pan_law_sin_cos_high<LanesSse2>(a_pan, a_stereo, a_gains);
}

void pan_law_sin_cos_low(const float* a_pan, const float* a_stereo, float* a_gains)
{
    bodies::pan_law_sin_cos_low<LanesSse2>(a_pan, a_stereo, a_gains);
}

void pan_law_square_root(const float* a_pan, const float* a_stereo, float* a_gains)
{
    bodies::pan_law_square_root<LanesSse2>(a_pan, a_stereo, a_gains);
}

void transform_offset(const float* a_x, const float* a_offset, const float* a_scale, float* a_out)
{
    bodies::transform_offset<LanesSse2>(a_x, a_offset, a_scale, a_out);
}

void transform_offset_scale(const float* a_x, const float* a_offset, const float* a_scale,
                            float* a_out)
{
    bodies::transform_offset_scale<LanesSse2>(a_x, a_offset, a_scale, a_out);
}

void transform_scale(const float* a_x, const float* a_offset, const float* a_scale, float* a_out)
{
    bodies::transform_scale<LanesSse2>(a_x, a_offset, a_scale, a_out);
}

void transform_scale_offset(const float* a_x, const float* a_offset, const float* a_scale,
                            float* a_out)
{
    bodies::transform_scale_offset<LanesSse2>(a_x, a_offset, a_scale, a_out);
}

void compute_positions(const float* a_delay, const float* a_depth, const float* a_modulation,
                       const float* a_bounds, float* a_position)
{
    bodies::compute_positions<LanesSse2>(a_delay, a_depth, a_modulation, a_bounds, a_position);
}

void read_linear(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                 const float* a_position, float* a_out)
{
    bodies::read<LanesSse2, InterpolationAlgorithm_LINEAR>(a_channel, a_write_indices, a_mask,
                                                           a_position, a_out);
}

void read_cubic(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                const float* a_position, float* a_out)
{
    bodies::read<LanesSse2, InterpolationAlgorithm_CUBIC>(a_channel, a_write_indices, a_mask,
                                                          a_position, a_out);
}

// The named functions above are the baseline's entries, so that options holding them keep
// meaning the same kernel whatever set is in use.
const KernelSet& get_sse2_kernel_set()
{
    static constexpr KernelSet set{
        InstructionSet_SSE2,
        {&pan_law_linear, &pan_law_sin_cos_high, &pan_law_sin_cos_low, &pan_law_square_root},
        {&transform_offset, &transform_offset_scale, &transform_scale, &transform_scale_offset},
        &compute_positions,
        {&read_cubic, &read_linear},
        {&bodies::two_buffers<LanesSse2, InterpolationAlgorithm_CUBIC>,
         &bodies::two_buffers<LanesSse2, InterpolationAlgorithm_LINEAR>},
        {&bodies::eight_buffers<LanesSse2, InterpolationAlgorithm_CUBIC>,
         &bodies::eight_buffers<LanesSse2, InterpolationAlgorithm_LINEAR>},
    };
    return set;
}

} // namespace quorlinchorus
