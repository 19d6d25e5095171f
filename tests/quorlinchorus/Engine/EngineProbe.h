#pragma once

#include "quorlinchorus/Engine/ChorusEngine.h"
#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"

#include <algorithm>
#include <random>
#include <vector>

namespace quorlinchorus::test
{

inline void fill(float* a_array, float a_value)
{
    std::fill_n(a_array, SubBlockSize, a_value);
}

// Voice 1 alone, hard left in and out with the linear law, wet only at unity: the left output is
// exactly what the voice reads from the left input.
inline void set_up_probe(ChorusEngine& a_engine, float a_rate,
                         ChorusEngine::ProcessingKernel a_mode, InterpolationAlgorithm a_algorithm)
{
    a_engine.set_sample_rate(a_rate);
    a_engine.m_processing_kernel = a_mode;
    a_engine.m_interpolation = a_algorithm;
    fill(a_engine.m_global_gain, 1.0f);
    fill(a_engine.m_wet, 1.0f);
    fill(a_engine.m_input_stereo, 1.0f);
    fill(a_engine.m_output_stereo, 1.0f);
    ChorusVoice& voice = a_engine.m_voices[0];
    voice.m_enabled = true;
    fill(voice.m_input_gain, 1.0f);
    fill(voice.m_output_gain, 1.0f);
    fill(voice.m_input_pan, -1.0f);
    fill(voice.m_output_pan, -1.0f);
    voice.m_input_pan_law = &pan_law_linear;
    voice.m_output_pan_law = &pan_law_linear;
    a_engine.update_active_voices();
}

inline std::vector<float> noise(size_t a_count, unsigned a_seed)
{
    std::mt19937 generator(a_seed);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    std::vector<float> result(a_count);
    for (float& value : result)
        value = sample(generator);
    return result;
}

// Runs a_in through both channels in full sub-blocks (and a short last one); returns the left
// output.
inline std::vector<float> run(ChorusEngine& a_engine, const std::vector<float>& a_in)
{
    std::vector<float> out_l(a_in.size());
    std::vector<float> out_r(a_in.size());
    for (size_t start = 0; start < a_in.size(); start += SubBlockSize)
    {
        const unsigned count = unsigned(std::min<size_t>(SubBlockSize, a_in.size() - start));
        a_engine.process_sub_block(a_in.data() + start, a_in.data() + start, out_l.data() + start,
                                   out_r.data() + start, count);
    }
    return out_l;
}

} // namespace quorlinchorus::test
