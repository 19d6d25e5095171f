#include "bex/Core/Id.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/FloatParameterSmoothers.h"
#include "tonvik/ParameterTypes/Units.h"
#include "tonvik/Parameters/ParameterCollection.h"
#include "tonvik/Parameters/ParameterGroup.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

using namespace Tonvik;

namespace
{

// A device with a_count float parameters writing into their own outputs, smoothing ready.
struct Setup
{
    Setup(uint32_t a_count, uint32_t a_external, uint32_t a_internal, uint32_t a_vector_size)
        : m_outputs(size_t(a_count) * 16)
    {
        m_device.set_smoothing_coefficient(1.0f / 4800.0f);
        m_device.set_ready_for_processing(true);
        m_device.set_sample_rate(48000.0f);
        for (uint32_t i = 0; i < a_count; ++i)
        {
            FloatParameter* parameter = new FloatParameter();
            parameter->set_id(Bex::make_id("P") + (i << 8));
            FloatParameterVariation* variation = parameter->set_units(a_external, a_internal);
            variation->m_external_interval_start = a_external == Unit_DECIBELS ? -20.0f : 0.0f;
            variation->m_external_interval_end = 20.0f;
            variation->m_external_default_value = 0.0f;
            parameter->m_output = &m_outputs[size_t(i) * 16];
            parameter->m_vector_size = a_vector_size;
            m_collection.get_root()->append_parameter(parameter);
        }
        m_collection.initialize(&m_device);
    }
    ~Setup() { m_device.stop_smoothing(); }

    Device m_device;
    ParameterCollection m_collection;
    std::vector<float> m_outputs;
};

// One smoother advancing one 16-sample sub-block; restarted away from its target so that it
// never settles.
template <uint32_t External, uint32_t Internal, uint32_t VectorSize>
void smoother_block(benchmark::State& a_state)
{
    Setup setup(1, External, Internal, VectorSize);
    FloatParameter* parameter =
        static_cast<FloatParameter*>(setup.m_collection.get_parameters()[0]);
    ParameterSmoother* smoother = parameter->m_smoother;
    parameter->set_normalized_value(1.0f);
    for (auto _ : a_state)
    {
        smoother->m_current = parameter->m_internal_value * 0.5f;
        smoother->process(16);
        benchmark::DoNotOptimize(setup.m_outputs.data());
    }
}

BENCHMARK(smoother_block<Unit_NONE, Unit_NONE, 1>)->Name("SmootherBlock/Linear1");
BENCHMARK(smoother_block<Unit_NONE, Unit_NONE, 16>)->Name("SmootherBlock/Linear16");
BENCHMARK(smoother_block<Unit_DECIBELS, Unit_AMPLITUDE_RATIO, 1>)
    ->Name("SmootherBlock/Exponential1");
BENCHMARK(smoother_block<Unit_DECIBELS, Unit_AMPLITUDE_RATIO, 16>)
    ->Name("SmootherBlock/Exponential16");

// Draining a commit queue of 100 host changes at the start of a block: direct commits (with
// smoothing off) or handing each parameter to its smoother. Only the drain is timed.
void commit_queue_drain(benchmark::State& a_state)
{
    const bool smoothing = a_state.range(0) != 0;
    Setup setup(100, Unit_NONE, Unit_NONE, 16);
    if (!smoothing)
        setup.m_device.set_smoothing_reason_mask(0);
    const auto& parameters = setup.m_collection.get_parameters();
    float value = 0.25f;
    for (auto _ : a_state)
    {
        value = 1.0f - value;
        for (Parameter* parameter : parameters)
            parameter->set_normalized_value_from_host(value);
        const auto start = std::chrono::steady_clock::now();
        setup.m_device.commit_queued_changes();
        const auto end = std::chrono::steady_clock::now();
        a_state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        setup.m_device.stop_smoothing();
    }
    a_state.SetItemsProcessed(a_state.iterations() * 100);
}

BENCHMARK(commit_queue_drain)->Arg(0)->Arg(1)->ArgName("smoothing")->UseManualTime();

// The host's side of the same: storing, converting and queuing 100 changes (and, untimed
// apart from the clock, draining them again).
void host_changes(benchmark::State& a_state)
{
    Setup setup(100, Unit_DECIBELS, Unit_AMPLITUDE_RATIO, 1);
    const auto& parameters = setup.m_collection.get_parameters();
    float value = 0.25f;
    for (auto _ : a_state)
    {
        value = 1.0f - value;
        const auto start = std::chrono::steady_clock::now();
        for (Parameter* parameter : parameters)
            parameter->set_normalized_value_from_host(value);
        const auto end = std::chrono::steady_clock::now();
        a_state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        setup.m_device.drain_commit_queues();
    }
    a_state.SetItemsProcessed(a_state.iterations() * 100);
}

BENCHMARK(host_changes)->UseManualTime();

} // namespace
