#pragma once

#include "quorlinchorus/Engine/KernelTypes.h"
#include "quorlinchorus/Engine/Kernels/KernelSet.h"

namespace quorlinchorus
{

// One modulated delay. The arrays hold this sub-block's per-sample values, written by the
// parameters before the engine runs; delay and depth are in samples. Aligned to 32 bytes, so that
// no eight-lane access crosses a cache line.
struct ChorusVoice
{
    alignas(32) float m_delay[SubBlockSize] = {};
    alignas(32) float m_depth[SubBlockSize] = {};
    alignas(32) float m_input_gain[SubBlockSize] = {};
    alignas(32) float m_input_pan[SubBlockSize] = {};
    alignas(32) float m_output_gain[SubBlockSize] = {};
    alignas(32) float m_output_pan[SubBlockSize] = {};
    alignas(32) float m_pitch_modulation[SubBlockSize] = {};

    // Never null, so a voice switched on before its options are committed still runs.
    PanLawKernel m_input_pan_law = get_kernel_set().m_pan_laws[PanLaw_SIN_COS_HIGH];
    PanLawKernel m_output_pan_law = get_kernel_set().m_pan_laws[PanLaw_SIN_COS_HIGH];

    // Written by the engine's active-voice rule only.
    bool m_active = false;
    bool m_enabled = false;
    bool m_solo = false;
};

} // namespace quorlinchorus
