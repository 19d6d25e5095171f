#include "tonvik/Modulation/LfoPhase.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <emmintrin.h>

namespace Tonvik
{

namespace
{

constexpr double GridScale = 4503599627370496.0; // 2^52
// A float of at least 2^-29 has no bit below 2^-52.
constexpr float SmallestOnGrid = 1.0f / 536870912.0f;

// The phase a_part of a cycle past a_start, both on the grid: less one cycle if it reaches one.
inline __m128d phases_after(__m128d a_start, __m128d a_part)
{
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d sum = _mm_add_pd(a_start, a_part);
    return _mm_sub_pd(sum, _mm_and_pd(_mm_cmpge_pd(sum, one), one));
}

// The fraction of k steps for k = 0 to 16: k × a_step has at most 29 significant bits, so it and
// its fraction are exact.
void compute_parts(PhaseSteps& a_steps, float a_step, uint32_t a_step_bits)
{
    for (uint32_t k = 0; k <= 16; ++k)
    {
        const double travelled = double(k) * double(a_step);
        a_steps.m_parts[k] = travelled - double(int32_t(travelled));
    }
    a_steps.m_parts[17] = 0.0;
    a_steps.m_step_bits = a_step_bits;
}

// While the frequency factor holds still, every step is the same float; with it and the
// accumulator multiples of 2^-52 in [0, 1), each double sum of the chain lies in [0, 2) on that
// grid, so it is exact, and so is taking its fraction. So the phase after k steps is the start
// plus the fraction of k steps, less one cycle if that reaches one, which needs nothing of the
// phase before it.
bool accumulate_on_grid(PhaseSteps& a_steps, double& a_accumulator, float a_increment,
                        const float* a_factor, uint32_t a_samples, float* a_phases)
{
    const __m128 first = _mm_set1_ps(a_factor[0]);
    __m128 same = _mm_cmpeq_ps(_mm_loadu_ps(a_factor), first);
    for (uint32_t i = 4; i < 16; i += 4)
        same = _mm_and_ps(same, _mm_cmpeq_ps(_mm_loadu_ps(a_factor + i), first));
    if (_mm_movemask_ps(same) != 0xF)
        return false;
    const float step = a_increment * a_factor[0];
    if (!((step >= SmallestOnGrid && step < 1.0f) || step == 0.0f))
        return false;
    uint32_t step_bits;
    std::memcpy(&step_bits, &step, sizeof(step_bits));
    if (step_bits != a_steps.m_step_bits)
        compute_parts(a_steps, step, step_bits);
    const double start = a_accumulator;
    const double scaled = start * GridScale;
    if (!(scaled >= 0.0 && scaled < GridScale) || double(int64_t(scaled)) != scaled)
        return false;

    const __m128d starts = _mm_set1_pd(start);
    const double* parts = a_steps.m_parts;
    for (uint32_t i = 0; i < 16; i += 4)
    {
        const __m128 low = _mm_cvtpd_ps(phases_after(starts, _mm_load_pd(parts + i)));
        const __m128 high = _mm_cvtpd_ps(phases_after(starts, _mm_load_pd(parts + i + 2)));
        _mm_storeu_ps(a_phases + i, _mm_movelh_ps(low, high));
    }
    a_accumulator = _mm_cvtsd_f64(phases_after(starts, _mm_load_sd(parts + a_samples)));
    return true;
}

// The increment added, and only the fraction kept, so that an increment of a cycle or more
// cannot make the accumulator grow without bound; below one cycle this is the single subtraction.
inline double step_phase(double a_accumulator, float a_increment, float a_factor)
{
    a_accumulator += double(a_increment * a_factor);
    if (a_accumulator >= 1.0)
        a_accumulator -= std::floor(a_accumulator);
    return a_accumulator;
}

} // namespace

void accumulate_phases_stepwise(double& a_accumulator, float a_increment, const float* a_factor,
                                uint32_t a_samples, float* a_phases)
{
    double accumulator = a_accumulator;
    double kept = accumulator;
    // Whole 4-lane stores: the waveform reads the phases four at a time.
    for (uint32_t i = 0; i < 16; i += 4)
    {
        float lanes[4];
        for (uint32_t k = 0; k < 4; ++k)
        {
            lanes[k] = float(accumulator);
            accumulator = step_phase(accumulator, a_increment, a_factor[i + k]);
            if (i + k + 1 == a_samples)
                kept = accumulator;
        }
        _mm_storeu_ps(a_phases + i, _mm_setr_ps(lanes[0], lanes[1], lanes[2], lanes[3]));
    }
    a_accumulator = kept;
}

void accumulate_phases(PhaseSteps& a_steps, double& a_accumulator, float a_increment,
                       const float* a_factor, uint32_t a_samples, float* a_phases)
{
    if (!accumulate_on_grid(a_steps, a_accumulator, a_increment, a_factor, a_samples, a_phases))
        accumulate_phases_stepwise(a_accumulator, a_increment, a_factor, a_samples, a_phases);
}

} // namespace Tonvik
