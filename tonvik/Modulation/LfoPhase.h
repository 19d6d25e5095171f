#pragma once

#include <cstdint>

namespace Tonvik
{

// What the shortcut of accumulate_phases keeps of the last step it saw.
struct PhaseSteps
{
    // The bits of the step the parts belong to; no step on the grid has these.
    uint32_t m_step_bits = 0xFFFFFFFFu;
    // The fraction of k steps, k = 0 to 16.
    alignas(16) double m_parts[18] = {};
};

// One sub-block of an oscillator's phase: a_phases[i] receives the accumulator before sample i,
// as a float, for all 16 lanes; the accumulator is left at its value after a_samples samples.
// Each step adds a_increment × a_factor[i] (a float product widened to double) and keeps only the
// fraction. While the factor holds still and the values lie on the grid of 2^-52, the additions
// are exact, so each phase is computed from its index, free of the latency of a chain of double
// additions; otherwise they go one by one. Both ways give the same bits.
void accumulate_phases(PhaseSteps& a_steps, double& a_accumulator, float a_increment,
                       const float* a_factor, uint32_t a_samples, float* a_phases);

// The one-by-one way alone, which the above must equal.
void accumulate_phases_stepwise(double& a_accumulator, float a_increment, const float* a_factor,
                                uint32_t a_samples, float* a_phases);

} // namespace Tonvik
