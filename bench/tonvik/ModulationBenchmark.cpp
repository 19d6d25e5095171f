#include "ChorusBenchFixture.h"
#include "bex/Core/Id.h"
#include "quorlinchorus/TheEffect.h"
#include "tests/support/LfoSetup.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/Units.h"
#include "tonvik/Parameters/ParameterCollection.h"
#include "tonvik/Parameters/ParameterGroup.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include <memory>
#include <vector>

using namespace Tonvik;

namespace
{

// A device with eight modulatable targets and one LFO whose eight entries each drive one of
// them. a_converting picks decibel targets (denormalized and converted per sample) instead of
// plain 0..1 values.
struct Setup
{
    explicit Setup(bool a_converting) : m_outputs(8 * 16)
    {
        m_device.set_sample_rate(48000.0f);
        for (uint32_t i = 0; i < 8; ++i)
        {
            FloatParameter* parameter = new FloatParameter();
            parameter->set_id(Bex::make_id("T") + (i << 8));
            FloatParameterVariation* variation =
                a_converting ? parameter->set_units(Unit_DECIBELS, Unit_AMPLITUDE_RATIO)
                             : parameter->set_units(Unit_NONE, Unit_NONE);
            variation->m_external_interval_start = a_converting ? -20.0f : 0.0f;
            variation->m_external_interval_end = a_converting ? 20.0f : 1.0f;
            variation->m_external_default_value = a_converting ? 0.0f : 0.5f;
            parameter->set_output(&m_outputs[size_t(i) * 16]);
            m_collection.get_root()->append_parameter(parameter);
        }
        m_collection.initialize(&m_device);
        m_collection.commit_all(false);
        m_manager = std::make_unique<ModulationManager>(&m_device);
        m_manager->set_program_parameters(&m_collection);
        Modulator* lfo = m_manager->add_modulator(std::make_unique<LfoModulator>(m_manager.get()));
        for (Parameter* target : m_collection.get_parameters())
        {
            ModulatorEntry* entry = m_manager->add_entry(lfo, uint32_t(lfo->get_entries().size()));
            entry->get_modulatee_parameter()->set_target(target->get_modulatee());
        }
        m_device.commit_queued_changes();
    }
    ~Setup() { m_manager.reset(); }

    Device m_device;
    ParameterCollection m_collection;
    std::vector<float> m_outputs;
    std::unique_ptr<ModulationManager> m_manager;
};

// One LFO with eight entries, one 16-sample sub-block: oscillator, signals, eight kernels and
// eight final functions.
void lfo_eight_entries(benchmark::State& a_state)
{
    Setup setup(a_state.range(0) != 0);
    for (auto _ : a_state)
    {
        setup.m_manager->process_stage(ProcessingStage_PRE_NOTE, 16);
        benchmark::DoNotOptimize(setup.m_outputs.data());
    }
    a_state.SetItemsProcessed(a_state.iterations() * 16);
}

constexpr int32_t g_block = ChorusBenchFixture::BlockSize;

// The chorus at 48 kHz with all eight voices on; with a_modulated, two LFOs (at different
// rates) drive the "Pitch modulation" of voices 1 to 4 and 5 to 8 with "Range" 1.
class ChorusFixture : public ChorusBenchFixture
{
public:
    explicit ChorusFixture(bool a_modulated)
    {
        if (a_modulated)
        {
            ModulationManager* modulation = m_effect.get_modulation();
            for (int lfo_index = 0; lfo_index < 2; ++lfo_index)
            {
                LfoModulator* lfo = test_support::add_lfo(*modulation);
                lfo->get_frequency_factor_parameter()->set_external_value(lfo_index ? 0.7f : 1.3f);
                for (char voice = '1'; voice <= '4'; ++voice)
                {
                    const char id = char(voice + 4 * lfo_index);
                    test_support::add_lfo_entry(*modulation, lfo, find(std::string("PiM") + id));
                }
            }
        }
        process();
    }
};

// The whole device cycle in ns per sample ("per_sample"), without and with the two LFOs.
void chorus_cycle(benchmark::State& a_state)
{
    ChorusFixture fixture(a_state.range(0) != 0);
    for (auto _ : a_state)
    {
        fixture.process();
        benchmark::DoNotOptimize(fixture.m_left.data());
    }
    a_state.counters["per_sample"] =
        benchmark::Counter(double(a_state.iterations()) * g_block,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Only the modulation path of the chorus with its two LFOs: oscillators, signals, the eight
// entries' kernels and final functions, in ns per frame ("per_sample").
void chorus_modulation(benchmark::State& a_state)
{
    ChorusFixture fixture(true);
    ModulationManager* modulation = fixture.m_effect.get_modulation();
    for (auto _ : a_state)
    {
        modulation->process_stage(ProcessingStage_PRE_NOTE, 16);
        benchmark::ClobberMemory();
    }
    a_state.counters["per_sample"] =
        benchmark::Counter(double(a_state.iterations()) * 16,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(chorus_modulation);
BENCHMARK(lfo_eight_entries)->Arg(0)->Arg(1)->ArgName("converting");
BENCHMARK(chorus_cycle)->Arg(0)->Arg(1)->ArgName("two_lfos");
