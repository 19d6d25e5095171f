// The chorus with 8 active voices, as the whole device cycle (commit, smoothing, sub-block grid,
// engine) and as the engine alone, in ns per sample, so that the framework's share shows.
#include "ChorusBenchFixture.h"
#include "quorlinchorus/TheEffect.h"

#include "bex/Core/Id.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterCollection.h"
#include "tonvik/Platform/FloatingPointMode.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace
{

constexpr int32_t g_block = ChorusBenchFixture::BlockSize;

using Fixture = ChorusBenchFixture;

void set_per_sample(benchmark::State& a_state)
{
    // Seconds per sample, printed with its prefix ("28n" is 28 ns).
    a_state.counters["per_sample"] =
        benchmark::Counter(double(a_state.iterations()) * g_block,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_EngineAlone(benchmark::State& a_state)
{
    Fixture fixture;
    quorlinchorus::ChorusEngine& engine = fixture.m_effect.get_engine();
    // The floating-point mode the device runs the engine in.
    Tonvik::DenormalsOff denormals;
    for (auto _ : a_state)
    {
        engine.process_block(fixture.m_in.data(), fixture.m_in.data(), fixture.m_left.data(),
                             fixture.m_right.data(), g_block);
        benchmark::DoNotOptimize(fixture.m_left.data());
    }
    set_per_sample(a_state);
}
BENCHMARK(BM_EngineAlone);

// Parameters at rest: the cycle's fixed cost around the engine.
void BM_DeviceCycleSteady(benchmark::State& a_state)
{
    Fixture fixture;
    for (auto _ : a_state)
    {
        fixture.process();
        benchmark::DoNotOptimize(fixture.m_left.data());
    }
    set_per_sample(a_state);
}
BENCHMARK(BM_DeviceCycleSteady);

// Every voice's delay and depth and the mix levels change from the host each block, so that 20
// smoothers glide all the time.
void BM_DeviceCycleGliding(benchmark::State& a_state)
{
    Fixture fixture;
    std::vector<Tonvik::Parameter*> moving;
    for (char voice = '1'; voice <= '8'; ++voice)
    {
        moving.push_back(fixture.find(std::string("Del") + voice));
        moving.push_back(fixture.find(std::string("Dep") + voice));
    }
    for (const char* id : {"Dry ", "Wet ", "GlGa", "InSt"})
        moving.push_back(fixture.find(id));
    float value = 0.0f;
    for (auto _ : a_state)
    {
        value = value > 0.9f ? 0.1f : value + 0.05f;
        for (Tonvik::Parameter* parameter : moving)
            parameter->set_normalized_value_from_host(value);
        fixture.process();
        benchmark::DoNotOptimize(fixture.m_left.data());
    }
    set_per_sample(a_state);
}
BENCHMARK(BM_DeviceCycleGliding);

} // namespace
