// Cost of the chorus engine per sample per active voice, eight voices at 48 kHz in sub-blocks of
// 16, for each processing mode and interpolation, vector kernels beside the scalar reference.
// The counter "ns_per_voice_sample" is the figure to read.
#include "quorlinchorus/Engine/ChorusEngine.h"
#include "quorlinchorus/Engine/Kernels/KernelSet.h"
#include "quorlinchorus/Engine/Reference/ReferenceEngine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace
{

using namespace quorlinchorus;

constexpr float Rate = 48000.0f;
constexpr unsigned InputLength = 4800;

void set_up(ChorusEngine& a_engine, bool a_eight_buffers, bool a_cubic)
{
    a_engine.set_sample_rate(Rate);
    a_engine.m_processing_kernel =
        a_eight_buffers ? &ChorusEngine::process_eight_buffers : &ChorusEngine::process_two_buffers;
    a_engine.m_interpolation =
        a_cubic ? InterpolationAlgorithm_CUBIC : InterpolationAlgorithm_LINEAR;
    std::fill_n(a_engine.m_global_gain, SubBlockSize, 1.0f);
    std::fill_n(a_engine.m_dry, SubBlockSize, 0.5f);
    std::fill_n(a_engine.m_wet, SubBlockSize, 0.5f);
    std::fill_n(a_engine.m_input_stereo, SubBlockSize, 1.0f);
    std::fill_n(a_engine.m_output_stereo, SubBlockSize, 1.0f);
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
    {
        ChorusVoice& voice = a_engine.m_voices[v];
        // 15 ms and 5 ms, spread a little so that the voices read different places.
        std::fill_n(voice.m_delay, SubBlockSize, 720.0f + 37.3f * float(v));
        std::fill_n(voice.m_depth, SubBlockSize, 240.0f);
        for (unsigned k = 0; k < SubBlockSize; ++k)
            voice.m_pitch_modulation[k] = 0.3f + 0.01f * float(k);
        std::fill_n(voice.m_input_gain, SubBlockSize, 1.0f);
        std::fill_n(voice.m_output_gain, SubBlockSize, 1.0f);
        std::fill_n(voice.m_input_pan, SubBlockSize, -1.0f + 2.0f * float(v) / 7.0f);
        std::fill_n(voice.m_output_pan, SubBlockSize, 1.0f - 2.0f * float(v) / 7.0f);
        voice.m_input_pan_law = a_engine.m_kernel_set->m_pan_laws[PanLaw_SIN_COS_HIGH];
        voice.m_output_pan_law = a_engine.m_kernel_set->m_pan_laws[PanLaw_SIN_COS_HIGH];
        voice.m_enabled = true;
    }
    a_engine.update_active_voices();
}

void engine_benchmark(benchmark::State& a_state)
{
    const bool eight_buffers = a_state.range(0) != 0;
    const bool cubic = a_state.range(1) != 0;
    const bool reference = a_state.range(2) != 0;

    ChorusEngine engine;
    set_up(engine, eight_buffers, cubic);
    std::vector<float> in_l(InputLength), in_r(InputLength);
    std::mt19937 random(1);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    for (unsigned i = 0; i < InputLength; ++i)
    {
        in_l[i] = sample(random);
        in_r[i] = sample(random);
    }
    std::vector<float> out_l(InputLength), out_r(InputLength);

    unsigned start = 0;
    for (auto _ : a_state)
    {
        if (reference)
            reference_process_sub_block(engine, &in_l[start], &in_r[start], &out_l[start],
                                        &out_r[start], SubBlockSize);
        else
            engine.process_sub_block(&in_l[start], &in_r[start], &out_l[start], &out_r[start],
                                     SubBlockSize);
        benchmark::DoNotOptimize(out_l.data());
        benchmark::ClobberMemory();
        start = (start + SubBlockSize) % InputLength;
    }

    // Inverted rate of (voice-samples x 1e-9) per second: nanoseconds per voice-sample.
    const double voice_samples = double(SubBlockSize) * engine.get_active_voice_count();
    a_state.counters["ns_per_voice_sample"] =
        benchmark::Counter(voice_samples * 1e-9, benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
    a_state.SetLabel(std::string(eight_buffers ? "8 buffers" : "2 buffers") +
                     (cubic ? ", cubic" : ", linear") + (reference ? ", scalar" : ", vector"));
}

BENCHMARK(engine_benchmark)
    ->ArgNames({"eight", "cubic", "scalar"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}});

} // namespace

BENCHMARK_MAIN();
