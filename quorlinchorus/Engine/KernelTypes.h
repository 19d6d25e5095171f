#pragma once

#include <cstdint>

namespace quorlinchorus
{

// Every per-sample array on the audio path: one float per sample of a sub-block.
constexpr unsigned SubBlockSize = 16;

// Values 1 and 0 are the ones the interpolation option stores; the engine indexes its tables
// with them, so they must stay 0 and 1.
enum InterpolationAlgorithm : uint32_t
{
    InterpolationAlgorithm_CUBIC = 0,
    InterpolationAlgorithm_LINEAR = 1,
    InterpolationAlgorithm_ENUM_SIZE = 2
};

// out = f(x, offset, scale), lane by lane over 16 floats.
using TransformKernel = void (*)(const float* a_x, const float* a_offset, const float* a_scale,
                                 float* a_out);

// a_gains receives 16 left gains followed by 16 right gains.
using PanLawKernel = void (*)(const float* a_pan, const float* a_stereo, float* a_gains);

// Read positions (in samples, already clamped) become interpolated samples of one channel.
// a_write_indices are the memory's 16 lane indices, a_mask its capacity - 1. The channel must be
// readable from index -3, where a DelayMemory keeps a copy of its last samples.
using ReadKernel = void (*)(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                            const float* a_position, float* a_out);

} // namespace quorlinchorus
