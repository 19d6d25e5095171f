#pragma once

namespace quorlinchorus
{

class ChorusEngine;

// One sub-block of a_engine's selected processing mode, computed one sample at a time with the
// scalar reference kernels. It reads the engine's fields and uses (and advances) the engine's own
// delay memories, so an engine run this way is interchangeable with one run by process_sub_block.
void reference_process_sub_block(ChorusEngine& a_engine, const float* a_in_l, const float* a_in_r,
                                 float* a_out_l, float* a_out_r, unsigned a_count);

} // namespace quorlinchorus
