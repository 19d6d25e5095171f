#include "quorlinchorus/TheEffect.h"

#include "bex/Binis/BiniDocument.h"
#include "bex/Core/Id.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "bex/Streams/MemoryInputStream.h"
#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/LfoSetup.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/ParameterTypes/AssignableParameterSlot.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_GenericChoice.h"
#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/Parameters/ParameterCollection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

namespace quorlinchorus
{
namespace
{

namespace fs = std::filesystem;

class TheEffectTest : public ::testing::Test
{
protected:
    TheEffectTest()
    {
        std::random_device random;
        m_folder = fs::temp_directory_path() / ("quorlin-effect-" + std::to_string(random()));
        m_effect.m_static_config.m_user_folder =
            Bex::String::from_utf8((m_folder / "user").string());
        m_effect.m_static_config.m_common_folder =
            Bex::String::from_utf8((m_folder / "common").string());
        m_effect.initialize();
        m_effect.set_sample_rate(48000.0f);
    }
    ~TheEffectTest() override
    {
        m_effect.terminate();
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    Tonvik::Parameter* parameter(const char* a_id)
    {
        return m_effect.get_program()->get_collection().find(Bex::make_id(a_id));
    }

    // Left and right outputs of a_in on both inputs, in host blocks of a_block samples.
    std::vector<float> run(const std::vector<float>& a_in, int32_t a_block)
    {
        std::vector<float> out(a_in.size() * 2);
        for (size_t start = 0; start < a_in.size(); start += size_t(a_block))
        {
            const int32_t frames = int32_t(std::min(a_in.size() - start, size_t(a_block)));
            const float* inputs[2] = {a_in.data() + start, a_in.data() + start};
            float* outputs[2] = {out.data() + start, out.data() + a_in.size() + start};
            m_effect.process(inputs, outputs, frames, 120.0, true);
        }
        return out;
    }

    static std::vector<float> noise(size_t a_count)
    {
        std::mt19937 generator(11);
        std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
        std::vector<float> result(a_count);
        for (float& value : result)
            value = sample(generator);
        return result;
    }

    // An LFO (sine, one cycle per second) with an "Above" entry of "Range" 1 on each target.
    Tonvik::LfoModulator* add_lfo(std::initializer_list<const char*> a_targets)
    {
        Tonvik::LfoModulator* lfo = test_support::add_lfo(*m_effect.get_modulation());
        for (const char* id : a_targets)
            test_support::add_lfo_entry(*m_effect.get_modulation(), lfo, parameter(id));
        return lfo;
    }

    fs::path m_folder;
    TheEffect m_effect;
};

void fill(float* a_array, float a_value)
{
    std::fill_n(a_array, SubBlockSize, a_value);
}

TEST_F(TheEffectTest, AFreshInstanceSoundsLikeTheEngineSetUpByHand)
{
    EXPECT_EQ(m_effect.get_program()->get_host_list().size(), 16u + 13u + 10u * 8u);
    EXPECT_EQ(parameter("Dry ")->m_host_index, 22);
    EXPECT_EQ(parameter("Del1")->m_host_index, 29);

    ChorusEngine engine;
    engine.set_sample_rate(48000.0f);
    engine.m_processing_kernel = &ChorusEngine::process_eight_buffers;
    fill(engine.m_dry, 0.5f);
    fill(engine.m_wet, 0.5f);
    fill(engine.m_global_gain, 1.0f);
    fill(engine.m_input_stereo, 1.0f);
    fill(engine.m_output_stereo, 1.0f);
    for (unsigned v = 0; v < 2; ++v)
    {
        ChorusVoice& voice = engine.m_voices[v];
        voice.m_enabled = true;
        fill(voice.m_delay, 720.0f);
        fill(voice.m_depth, 240.0f);
        fill(voice.m_input_gain, 1.0f);
        fill(voice.m_output_gain, 1.0f);
        fill(voice.m_input_pan, v == 0 ? -1.0f : 1.0f);
        fill(voice.m_output_pan, v == 0 ? -1.0f : 1.0f);
    }
    engine.update_active_voices();

    const std::vector<float> in = noise(3000);
    std::vector<float> expected(in.size() * 2);
    engine.process_block(in.data(), in.data(), expected.data(), expected.data() + in.size(),
                         unsigned(in.size()));
    const std::vector<float> actual = run(in, 100);
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(actual[i], expected[i], 1e-6f) << i;
}

TEST_F(TheEffectTest, HostChangesReachTheEngineGlidingAndSwitchingVoices)
{
    parameter("Ena1")->set_normalized_value_from_host(0.0f);
    parameter("Ena2")->set_normalized_value_from_host(0.0f);
    const std::vector<float> ones(32, 1.0f);
    run(ones, 32);
    EXPECT_EQ(m_effect.get_engine().get_active_voice_count(), 0u);
    EXPECT_EQ(run(ones, 32), std::vector<float>(64, 0.5f));

    // The whole range of Dry takes 50 ms (2400 samples at 48 kHz), half of it 1200 samples.
    parameter("Dry ")->set_normalized_value_from_host(1.0f);
    const std::vector<float> out = run(std::vector<float>(1600, 1.0f), 64);
    EXPECT_GT(out[0], 0.5f);
    EXPECT_LT(out[1150], 1.0f);
    for (size_t i = 1; i < 1600; ++i)
        ASSERT_GE(out[i], out[i - 1]) << i;
    EXPECT_FLOAT_EQ(out[1250], 1.0f);

    // A choice swaps the engine's kernel at the next block.
    Tonvik::P_GenericChoice* mode = static_cast<Tonvik::P_GenericChoice*>(parameter("PrMo"));
    mode->set_normalized_value_from_host(mode->find_option(1)->m_normalized_value);
    run(ones, 32);
    EXPECT_TRUE(m_effect.get_engine().m_processing_kernel == &ChorusEngine::process_two_buffers);
}

TEST_F(TheEffectTest, TheAudioCycleAllocatesNothing)
{
    for (const char* id : {"Ena3", "Ena4", "Ena5", "Ena6", "Ena7", "Ena8"})
        parameter(id)->set_normalized_value_from_host(1.0f);
    // Modulated targets with and without a unit conversion, retriggered by the note-ons.
    add_lfo({"PiM1", "PiM2", "Del1", "GlGa"});
    const std::vector<float> in = noise(4096);
    std::vector<float> left(in.size());
    std::vector<float> right(in.size());
    const uint8_t note_on[4] = {0x90, 12, 100, 0};
    long allocations = 0;
    size_t start = 0;
    for (int32_t frames : {100, 7, 16, 333, 1, 64, 1000})
    {
        parameter("Dry ")->set_normalized_value_from_host(float(frames % 10) / 10.0f);
        parameter("Del3")->set_normalized_value_from_host(0.25f);
        parameter("InAl")->set_normalized_value_from_host(frames % 2 ? 0.75f : 0.25f);
        parameter("Ena8")->set_normalized_value_from_host(frames % 2 ? 0.0f : 1.0f);
        m_effect.queue_midi_message(note_on);
        const float* inputs[2] = {in.data() + start, in.data() + start};
        float* outputs[2] = {left.data() + start, right.data() + start};
        test_support::start_counting_allocations();
        m_effect.process(inputs, outputs, frames, 100.0 + frames, true);
        allocations += test_support::stop_counting_allocations();
        start += size_t(frames);
    }
    EXPECT_EQ(allocations, 0);
}

// The host calls resume from its own thread between two audio blocks; nothing there may allocate.
TEST_F(TheEffectTest, ResumeAllocatesNothing)
{
    add_lfo({"PiM1", "Del1"});
    parameter("Dry ")->set_normalized_value_from_host(0.1f);
    parameter("Ena5")->set_normalized_value_from_host(1.0f);
    run(noise(100), 100);
    ASSERT_TRUE(m_effect.has_running_smoothers());
    test_support::start_counting_allocations();
    m_effect.resume();
    EXPECT_EQ(test_support::stop_counting_allocations(), 0);
    EXPECT_FALSE(m_effect.has_running_smoothers());
}

// Runs the audio cycle on one thread while others change parameters from the host and the
// editor, save and load the state and change the sample rate. The thread sanitizer watches.
TEST_F(TheEffectTest, AudioCycleRunsAlongsideTheOtherThreads)
{
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::atomic<bool> finite{true};
    std::thread audio(
        [&]
        {
            const std::vector<float> in = noise(256);
            std::vector<float> left(in.size());
            std::vector<float> right(in.size());
            const uint8_t note_on[4] = {0x90, 13, 100, 0};
            int32_t frames = 1;
            while (!stop)
            {
                const float* inputs[2] = {in.data(), in.data()};
                float* outputs[2] = {left.data(), right.data()};
                m_effect.queue_midi_message(note_on);
                m_effect.process(inputs, outputs, frames, 120.0, true);
                for (int32_t i = 0; i < frames; ++i)
                {
                    if (!std::isfinite(left[size_t(i)]) || !std::isfinite(right[size_t(i)]))
                        finite = false;
                }
                frames = frames % 219 + 37;
                ++blocks;
            }
        });
    std::thread host(
        [&]
        {
            std::mt19937 generator(3);
            std::uniform_real_distribution<float> value(0.0f, 1.0f);
            const Bex::Vector<Tonvik::Parameter*>& list = m_effect.get_program()->get_host_list();
            while (!stop)
            {
                list[16 + generator() % (list.size() - 16)]->set_normalized_value_from_host(
                    value(generator));
            }
        });
    std::thread editor(
        [&]
        {
            std::mt19937 generator(4);
            while (!stop)
            {
                parameter("Wet ")->set_normalized_value(float(generator() % 100) / 100.0f);
                parameter("Ena5")->set_normalized_value(float(generator() % 2));
                std::this_thread::yield();
            }
        });
    std::thread state(
        [&]
        {
            bool high = false;
            while (!stop)
            {
                Bex::ExpandingOutputStream chunk(4096);
                m_effect.save_state(chunk, 7);
                const std::vector<unsigned char> bytes = chunk.get_contents();
                EXPECT_TRUE(m_effect.load_host_chunk(bytes.data(), bytes.size()));
                m_effect.set_sample_rate(high ? 96000.0f : 44100.0f);
                high = !high;
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    std::thread modulation(
        [&]
        {
            // A chunk load may replace every modulator between two steps, so each step holds
            // the state locks and finds its modulator anew, as an editor command would.
            Tonvik::ModulationManager* manager = m_effect.get_modulation();
            while (!stop)
            {
                {
                    Tonvik::Device::StateLocks locks(m_effect);
                    Tonvik::LfoModulator* lfo = add_lfo({"PiM1", "PiM3", "Del2"});
                    lfo->get_frequency_factor_parameter()->set_external_value(4.0f);
                    m_effect.get_assignable_slots()->assign(0,
                                                            lfo->get_frequency_factor_parameter());
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                Tonvik::Device::StateLocks locks(m_effect);
                const uint32_t count = manager->get_modulator_count();
                Tonvik::Modulator* last = count ? manager->get_modulator(count - 1) : nullptr;
                if (last && last->get_entries().size() > 1)
                    manager->remove_entry(last, 1);
                if (count > 3)
                    manager->remove_modulator(0);
            }
        });
    std::this_thread::sleep_for(std::chrono::seconds(2));
    stop = true;
    for (std::thread* thread : {&audio, &host, &editor, &state, &modulation})
        thread->join();
    EXPECT_GT(blocks, 0);
    EXPECT_TRUE(finite);
}

// Voice 1 alone, wet only: an impulse comes out delayed by the voice's read position, which an
// LFO on "Pitch modulation 1" sweeps between delay + depth (960 samples) and delay (720).
TEST_F(TheEffectTest, AnLfoOnPitchModulationSweepsTheReadPosition)
{
    parameter("Ena2")->set_normalized_value_from_host(0.0f);
    parameter("Dry ")->set_normalized_value_from_host(0.0f);
    parameter("Wet ")->set_normalized_value_from_host(1.0f);
    add_lfo({"PiM1"});
    run(std::vector<float>(48000, 0.0f), 256);

    const size_t spacing = 1200;
    std::vector<float> in(96000, 0.0f);
    for (size_t i = 0; i < in.size(); i += spacing)
        in[i] = 1.0f;
    const std::vector<float> out = run(in, 128);
    double lowest = 1e9;
    double highest = 0.0;
    for (size_t impulse = 0; impulse + spacing < in.size(); impulse += spacing)
    {
        // Linear interpolation splits the impulse over two samples: their centroid is the delay.
        double weight = 0.0;
        double moment = 0.0;
        for (size_t i = impulse + 600; i < impulse + 1100; ++i)
        {
            const double magnitude = std::fabs(out[i]);
            weight += magnitude;
            moment += magnitude * double(i - impulse);
        }
        ASSERT_GT(weight, 0.5) << impulse;
        lowest = std::min(lowest, moment / weight);
        highest = std::max(highest, moment / weight);
    }
    EXPECT_NEAR(lowest, 721.0, 2.0);
    EXPECT_NEAR(highest, 961.0, 2.0);
}

TEST_F(TheEffectTest, HostChunksCarryTheModulationAndAFaultyOneResetsToDefaults)
{
    Tonvik::LfoModulator* lfo = add_lfo({"PiM1", "Del1"});
    lfo->get_denominator_parameter()->set_value(3);
    m_effect.get_assignable_slots()->assign(4, lfo->get_pwm_parameter());
    parameter("Wet ")->set_normalized_value_from_host(0.25f);
    run(std::vector<float>(64, 0.0f), 64);
    Bex::ExpandingOutputStream chunk(4096);
    m_effect.save_state(chunk, 7);
    const std::vector<unsigned char> bytes = chunk.get_contents();

    m_effect.reset_to_defaults();
    EXPECT_EQ(0u, m_effect.get_modulation()->get_modulator_count());
    ASSERT_TRUE(m_effect.load_host_chunk(bytes.data(), bytes.size()));
    Tonvik::ModulationManager* modulation = m_effect.get_modulation();
    ASSERT_EQ(1u, modulation->get_modulator_count());
    auto* loaded = static_cast<Tonvik::LfoModulator*>(modulation->get_modulator(0));
    EXPECT_EQ(3, loaded->get_denominator_parameter()->get_value());
    EXPECT_EQ(parameter("Del1")->get_modulatee(), loaded->get_entries()[1]->get_target());
    EXPECT_EQ(loaded->get_pwm_parameter(), m_effect.get_program()->get_host_list()[4]);

    // The same chunk with a modulator type that does not exist.
    Bex::BiniDocument document;
    const std::string preamble =
        m_effect.make_preamble(m_effect.m_static_config.m_preset_preamble_part);
    Bex::MemoryInputStream input(bytes.data(), bytes.size());
    document.load(&input, preamble.data(), preamble.size());
    document.get_root()
        .get_child(Bex::make_id("Modu"))
        .get_child(1)
        .get_child(Bex::make_id("Type"))
        .set_value_uint32(1);
    Bex::ExpandingOutputStream faulty(4096);
    document.save(&faulty, preamble.data(), preamble.size());
    const std::vector<unsigned char> faulty_bytes = faulty.get_contents();
    EXPECT_FALSE(m_effect.load_host_chunk(faulty_bytes.data(), faulty_bytes.size()));
    EXPECT_EQ(0u, modulation->get_modulator_count());
    EXPECT_EQ(0.5f, parameter("Wet ")->get_normalized_value());
    EXPECT_EQ(static_cast<Tonvik::Parameter*>(m_effect.get_assignable_slots()->get_placeholder(4)),
              m_effect.get_program()->get_host_list()[4]);
}

} // namespace
} // namespace quorlinchorus
