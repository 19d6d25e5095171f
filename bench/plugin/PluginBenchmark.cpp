// The whole plug-in as a host runs it: loaded from the library, fed 512-sample blocks at 48 kHz
// through processReplacing. Run with --benchmark_repetitions to get medians.
#include "tests/plugin/InProcessChorus.h"
#include "tonvik/ParameterTypes/P_GenericChoice.h"
#include "tonvik/ParameterTypes/P_GenericChoice_Node.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace
{

constexpr int32_t BlockSize = 512;

// Eight voices, cubic interpolation, and two LFOs, each on four voices' "Pitch modulation".
std::vector<uint8_t> busy_chunk()
{
    plugin_test::InProcessChorus chorus;
    for (const char* id : {"Ena1", "Ena2", "Ena3", "Ena4", "Ena5", "Ena6", "Ena7", "Ena8"})
        chorus.parameter(id)->set_normalized_value_from_host(1.0f);
    auto* interpolation = static_cast<Tonvik::P_GenericChoice*>(chorus.parameter("InAl"));
    interpolation->set_normalized_value_from_host(
        interpolation->find_option(2)->m_normalized_value);
    chorus.add_lfo({"PiM1", "PiM2", "PiM3", "PiM4"});
    chorus.add_lfo({"PiM5", "PiM6", "PiM7", "PiM8"});
    chorus.settle();
    return chorus.chunk();
}

void run(benchmark::State& a_state, const std::vector<uint8_t>* a_chunk)
{
    quorlin::PluginHost host(QUORLIN_PLUGIN_PATH, 48000.0f, BlockSize);
    if (a_chunk)
    {
        // A refused chunk leaves the defaults, which would be measured under the wrong name.
        host.set_chunk(*a_chunk);
        if (host.get_parameter_display(host.find_parameter("Interpolation")) != "Cubic")
            a_state.SkipWithError("the chunk did not load");
    }
    std::mt19937 generator(5);
    std::uniform_real_distribution<float> sample(-0.25f, 0.25f);
    std::vector<float> in_left(BlockSize);
    std::vector<float> in_right(BlockSize);
    for (int32_t i = 0; i < BlockSize; ++i)
    {
        in_left[size_t(i)] = sample(generator);
        in_right[size_t(i)] = sample(generator);
    }
    std::vector<float> out_left(BlockSize);
    std::vector<float> out_right(BlockSize);
    float* inputs[2] = {in_left.data(), in_right.data()};
    float* outputs[2] = {out_left.data(), out_right.data()};
    // Past the gliding and the delay lines' first fill.
    for (int i = 0; i < 200; ++i)
        host.process_block(inputs, outputs, BlockSize);
    for (auto _ : a_state)
    {
        host.process_block(inputs, outputs, BlockSize);
        benchmark::DoNotOptimize(out_left.data());
        benchmark::ClobberMemory();
    }
    // Seconds per sample, printed with an SI prefix (n for nanoseconds).
    a_state.counters["per_sample"] =
        benchmark::Counter(double(a_state.iterations()) * BlockSize,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void default_patch(benchmark::State& a_state)
{
    run(a_state, nullptr);
}

void eight_voices_cubic_two_lfos(benchmark::State& a_state)
{
    static const std::vector<uint8_t> chunk = busy_chunk();
    run(a_state, &chunk);
}

} // namespace

BENCHMARK(default_patch)->Unit(benchmark::kMicrosecond);
BENCHMARK(eight_voices_cubic_two_lfos)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
