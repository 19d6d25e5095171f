#pragma once

namespace quorlinchorus
{

// The delay and depth transformations, 16 lanes each. "None" has no kernel: the voice's own array
// is used as it is.
void transform_offset(const float* a_x, const float* a_offset, const float* a_scale, float* a_out);
void transform_offset_scale(const float* a_x, const float* a_offset, const float* a_scale,
                            float* a_out);
void transform_scale(const float* a_x, const float* a_offset, const float* a_scale, float* a_out);
void transform_scale_offset(const float* a_x, const float* a_offset, const float* a_scale,
                            float* a_out);

} // namespace quorlinchorus
