#include "tools/quorlin/Audio/DemoSignal.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace quorlin
{

namespace
{

// Deterministic noise, the same on every platform.
class Noise
{
public:
    explicit Noise(uint32_t a_seed) : m_state(a_seed) {}
    float next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return float(int32_t(m_state)) / 2147483648.0f;
    }

private:
    uint32_t m_state;
};

// One plucked string: a delay line of one period filled with noise, averaged as it circulates.
void pluck(Channels& a_out, int a_sample_rate, double a_frequency, size_t a_start, float a_pan,
           float a_level, uint32_t a_seed)
{
    const size_t period = std::max<size_t>(2, size_t(std::lround(a_sample_rate / a_frequency)));
    std::vector<float> line(period);
    Noise noise(a_seed);
    for (float& sample : line)
        sample = noise.next();
    // A gentle low-pass on the excitation makes the attack less harsh.
    for (size_t i = 1; i < period; ++i)
        line[i] = 0.5f * (line[i] + line[i - 1]);
    const float left = a_level * std::cos(a_pan * std::numbers::pi_v<float> / 2.0f);
    const float right = a_level * std::sin(a_pan * std::numbers::pi_v<float> / 2.0f);
    const size_t frames = a_out[0].size();
    size_t at = 0;
    for (size_t i = a_start; i < frames; ++i)
    {
        const size_t next = (at + 1) % period;
        const float sample = line[at];
        line[at] = 0.996f * 0.5f * (line[at] + line[next]);
        at = next;
        a_out[0][i] += sample * left;
        a_out[1][i] += sample * right;
    }
}

} // namespace

Channels make_demo_signal(int a_sample_rate)
{
    const size_t frames = size_t(a_sample_rate) * 5;
    Channels out(2, std::vector<float>(frames, 0.0f));
    // E major, open position, low string to high.
    const double strings[6] = {82.41, 123.47, 164.81, 207.65, 246.94, 329.63};
    const size_t strum_gap = size_t(a_sample_rate) / 40;
    uint32_t seed = 1;
    for (size_t strum : {size_t(0), size_t(a_sample_rate) * 5 / 2})
    {
        for (int string = 0; string < 6; ++string)
        {
            const float pan = 0.2f + 0.12f * float(string);
            pluck(out, a_sample_rate, strings[string], strum + size_t(string) * strum_gap, pan,
                  0.22f, seed++);
        }
    }
    return out;
}

Channels make_bench_signal(int a_sample_rate, size_t a_frames)
{
    Channels out(2, std::vector<float>(a_frames));
    Noise noise(7);
    const double step = 2.0 * std::numbers::pi / a_sample_rate;
    for (size_t i = 0; i < a_frames; ++i)
    {
        const double t = double(i) * step;
        out[0][i] =
            float(0.3 * std::sin(220.0 * t) + 0.2 * std::sin(331.0 * t)) + 0.05f * noise.next();
        out[1][i] =
            float(0.3 * std::sin(221.5 * t) + 0.2 * std::sin(329.0 * t)) + 0.05f * noise.next();
    }
    return out;
}

} // namespace quorlin
