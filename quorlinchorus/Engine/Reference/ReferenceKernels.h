#pragma once

#include "quorlinchorus/Engine/KernelTypes.h"

namespace quorlinchorus
{

// Plain one-sample-at-a-time versions of the engine's kernels, written straight from the formulas
// with the same operation order, so that the vector kernels can be checked bit for bit against
// them and the gain of the vector code measured.

void reference_transform_offset(const float* a_x, const float* a_offset, const float* a_scale,
                                float* a_out);
void reference_transform_offset_scale(const float* a_x, const float* a_offset, const float* a_scale,
                                      float* a_out);
void reference_transform_scale(const float* a_x, const float* a_offset, const float* a_scale,
                               float* a_out);
void reference_transform_scale_offset(const float* a_x, const float* a_offset, const float* a_scale,
                                      float* a_out);

void reference_pan_law_linear(const float* a_pan, const float* a_stereo, float* a_gains);
void reference_pan_law_sin_cos_high(const float* a_pan, const float* a_stereo, float* a_gains);
void reference_pan_law_sin_cos_low(const float* a_pan, const float* a_stereo, float* a_gains);
void reference_pan_law_square_root(const float* a_pan, const float* a_stereo, float* a_gains);

void reference_compute_positions(const float* a_delay, const float* a_depth,
                                 const float* a_modulation, const float* a_bounds,
                                 float* a_position);
void reference_read_linear(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                           const float* a_position, float* a_out);
void reference_read_cubic(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
                          const float* a_position, float* a_out);

// The scalar twin of a vector kernel of any instruction set the engine may hold; null stays null.
TransformKernel reference_transform_for(TransformKernel a_kernel);
PanLawKernel reference_pan_law_for(PanLawKernel a_kernel);
ReadKernel reference_read_for(InterpolationAlgorithm a_algorithm);

} // namespace quorlinchorus
