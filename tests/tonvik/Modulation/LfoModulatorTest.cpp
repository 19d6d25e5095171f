#include "tonvik/Modulation/LfoModulator.h"
#include "ModulationTestSupport.h"
#include "bex/Binis/BiniNode.h"
#include "tonvik/Devices/MusicalTriggerManager.h"
#include "tonvik/Devices/P_MusicalTrigger.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/Modulation/ModificationType.h"
#include "tonvik/ParameterTypes/P_Integer.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

class LfoModulatorTest : public ModulationFixture
{
protected:
    LfoModulatorTest() { m_lfo = add_modulator<LfoModulator>(); }

    const float* up(uint32_t a_group = 0)
    {
        return m_lfo->get_group(a_group).m_signal.m_vectors[SignalVectorKind_UP];
    }

    // Samples until the phase has wrapped a_cycles times (the first sample has phase 0).
    double phase_after(uint32_t a_samples)
    {
        m_lfo->set_phase(0, 0.0);
        for (uint32_t done = 0; done < a_samples;)
        {
            const uint32_t n = std::min(16u, a_samples - done);
            run(n);
            done += n;
        }
        return m_lfo->get_phase(0);
    }

    LfoModulator* m_lfo;
};

} // namespace

TEST_F(LfoModulatorTest, CycleLengthFollowsSecondsTempoAndModifier)
{
    // Default: whole 0, 1/1, "---", "Seconds", factor 1: one cycle per second at 1000 Hz.
    EXPECT_EQ(1000.0, m_lfo->get_cycle_length());
    EXPECT_NEAR(0.25, phase_after(250), 1e-6);
    EXPECT_NEAR(0.0, std::fmod(phase_after(1000) + 0.5, 1.0) - 0.5, 1e-5);

    choose(m_lfo->get_synchronization_parameter(), 2); // "Tempo"
    m_lfo->get_denominator_parameter()->set_value(4);
    m_manager.set_transport(120.0, false, 0.0);
    run();
    EXPECT_EQ(500.0, m_lfo->get_cycle_length());
    EXPECT_NEAR(0.5, phase_after(250), 1e-5);

    choose(m_lfo->get_modifier_parameter(), 5); // "Triplet"
    run();
    EXPECT_NEAR(500.0 * 2.0 / 3.0, m_lfo->get_cycle_length(), 1e-9);
    // A later tempo takes effect with the next sub-block.
    m_manager.set_transport(60.0, false, 0.0);
    EXPECT_NEAR(0.375, phase_after(250), 1e-5);
}

TEST_F(LfoModulatorTest, PulseWidthAtItsEndsIsConstant)
{
    choose(m_lfo->get_waveform_parameter(), 1);  // "Pulse"
    choose(m_lfo->get_smoothing_parameter(), 1); // "Off": a discontinuous wave would glide
    for (float pwm : {0.0f, 1.0f})
    {
        set_float(m_lfo->get_pwm_parameter(), pwm);
        for (int block = 0; block < 70; ++block)
        {
            run();
            for (uint32_t i = 0; i < 16; ++i)
                ASSERT_EQ(pwm, up()[i]) << block;
        }
    }
}

TEST_F(LfoModulatorTest, ASquareGlidesWhenSmoothingIsOn)
{
    choose(m_lfo->get_waveform_parameter(), 5);           // "Square"
    choose(m_lfo->get_smoothing_parameter(), 3);          // "On"
    set_float(m_lfo->get_smoothness_parameter(), 100.0f); // 0.01 per sample at 1000 Hz
    std::vector<float> output;
    for (int block = 0; block < 125; ++block) // two cycles
    {
        run();
        output.insert(output.end(), up(), up() + 16);
    }
    float lowest = 1.0f;
    float highest = 0.0f;
    for (size_t i = 1; i < output.size(); ++i)
    {
        ASSERT_LE(std::fabs(output[i] - output[i - 1]), 0.0100001f) << i;
        lowest = std::min(lowest, output[i]);
        highest = std::max(highest, output[i]);
    }
    EXPECT_EQ(0.0f, lowest);
    EXPECT_EQ(1.0f, highest);
}

TEST_F(LfoModulatorTest, WaveformsStartAtTheMiddleAndPeakAtAQuarter)
{
    set_float(m_lfo->get_phase_parameter(), 0.0f);
    for (uint32_t option : {3u, 4u, 6u}) // both sines and the triangle
    {
        choose(m_lfo->get_waveform_parameter(), option);
        EXPECT_NEAR(0.5f, (run(), m_lfo->set_phase(0, 0.0), run(), up()[0]), 1e-6f) << option;
        m_lfo->set_phase(0, 0.25);
        run();
        EXPECT_NEAR(1.0f, up()[0], 1e-6f) << option;
        m_lfo->set_phase(0, 0.75);
        run();
        EXPECT_NEAR(0.0f, up()[0], 1e-6f) << option;
    }
}

TEST_F(LfoModulatorTest, PhaseStaysInsideOneCycleEvenAtExtremeRates)
{
    set_float(m_lfo->get_frequency_factor_parameter(), 32.0f);
    m_lfo->get_whole_parameter()->set_value(0);
    m_lfo->get_denominator_parameter()->set_value(256);
    choose(m_lfo->get_waveform_parameter(), 2); // "Saw" shows the phase
    // 32 / 3.9 samples per cycle: more than eight cycles per sample.
    run();
    for (int block = 0; block < 200; ++block)
    {
        run(block % 16 + 1);
        const double phase = m_lfo->get_phase(0);
        ASSERT_GE(phase, 0.0);
        ASSERT_LT(phase, 1.0);
        for (uint32_t i = 0; i < 16; ++i)
        {
            ASSERT_GE(up()[i], 0.0f);
            ASSERT_LT(up()[i], 1.0f);
        }
    }
}

// "Phase" shifts the wave modulo one; at zero the saw is the phase itself.
TEST_F(LfoModulatorTest, ThePhaseShiftsTheWaveModuloOne)
{
    choose(m_lfo->get_waveform_parameter(), 2);  // "Saw"
    choose(m_lfo->get_smoothing_parameter(), 1); // "Off"
    m_lfo->set_phase(0, 0.875);
    run();
    EXPECT_EQ(0.875f, up()[0]);
    set_float(m_lfo->get_phase_parameter(), 0.25f);
    m_lfo->set_phase(0, 0.875);
    run();
    EXPECT_NEAR(0.125f, up()[0], 1e-6f);
    m_lfo->set_phase(0, 0.5);
    run();
    EXPECT_NEAR(0.75f, up()[0], 1e-6f);
}

TEST_F(LfoModulatorTest, APhaseGroupRunsHalfACycleApart)
{
    choose(m_lfo->get_waveform_parameter(), 2);  // "Saw"
    choose(m_lfo->get_smoothing_parameter(), 1); // "Off"
    add_entry(m_lfo, m_value, 1, 0.0f);
    auto* second = static_cast<LfoModulatorEntry*>(add_entry(m_lfo, m_other, 1, 0.0f));
    set_float(second->get_phase_parameter(), 0.5f);
    EXPECT_EQ(1u, m_lfo->get_group_count());
    second->get_start_phase_group_parameter()->set_value(true);
    ASSERT_EQ(2u, m_lfo->get_group_count());
    EXPECT_EQ(&m_lfo->get_group(1).m_signal, second->m_signal);
    for (int block = 0; block < 10; ++block)
    {
        run();
        for (uint32_t i = 0; i < 16; ++i)
        {
            const float apart = up(1)[i] - up(0)[i];
            EXPECT_NEAR(0.5f, std::fabs(apart), 1e-5f);
        }
    }
}

TEST_F(LfoModulatorTest, SongPositionSetsThePhaseAndResyncs)
{
    choose(m_lfo->get_synchronization_parameter(), 3);   // "Song position"
    set_float(m_lfo->get_smoothness_parameter(), 32.0f); // a crossfade of two sub-blocks
    run();
    // One whole note per cycle: a quarter note is a quarter cycle.
    m_manager.set_transport(120.0, true, 1.5);
    run();
    EXPECT_TRUE(m_lfo->is_crossfading(0));
    run();
    EXPECT_FALSE(m_lfo->is_crossfading(0));
    run();
    // The same block's position is applied once; the LFO runs on at the tempo.
    const double expected = 0.375 + 48.0 / 2000.0;
    EXPECT_NEAR(expected, m_lfo->get_phase(0), 1e-6);
    // A position close to where the LFO is does not restart the crossfade.
    m_manager.set_transport(120.0, true, 4.0 * (expected + 0.005));
    run();
    EXPECT_FALSE(m_lfo->is_crossfading(0));
    m_manager.set_transport(120.0, true, 4.0 * 0.9);
    run();
    EXPECT_TRUE(m_lfo->is_crossfading(0));
    EXPECT_NEAR(0.9 + 16.0 / 2000.0, m_lfo->get_phase(0), 1e-6);
}

TEST_F(LfoModulatorTest, RetriggerKeysSelectWhichLfosRestart)
{
    auto phase_after_retrigger = [&](int32_t a_key, uint32_t a_matched)
    {
        m_lfo->get_retrigger_key_parameter()->set_value(a_key);
        run();
        m_lfo->set_phase(0, 0.5);
        m_manager.retrigger(a_matched);
        return m_lfo->get_phase(0);
    };
    EXPECT_EQ(0.0, phase_after_retrigger(-1, 0x4));
    EXPECT_EQ(0.0, phase_after_retrigger(2, 0x4));
    EXPECT_EQ(0.5, phase_after_retrigger(1, 0x4));
    EXPECT_EQ(0.5, phase_after_retrigger(-2, 0xFF));
    // The stage event restarts without a crossfade.
    m_lfo->set_phase(0, 0.5);
    m_manager.reset_processing();
    EXPECT_EQ(0.0, m_lfo->get_phase(0));
}

TEST_F(LfoModulatorTest, OlderPresetsConvertTheirCycleDuration)
{
    for (uint32_t old : {1u, 2u, 3u, 4u})
    {
        m_lfo->get_whole_parameter()->set_value(5);
        m_lfo->get_numerator_parameter()->set_value(3);
        Bex::BiniNode para;
        para.add_child(1)
            .add_child(Bex::make_id("FrBa"))
            .add_child(Bex::make_id("Valu"))
            .set_value_uint32(old);
        m_lfo->on_parameters_loaded(para);
        const int32_t expected[5][3] = {{}, {0, 1, 10}, {0, 1, 1}, {0, 10, 1}, {5, 3, 1}};
        EXPECT_EQ(expected[old][0], m_lfo->get_whole_parameter()->get_value()) << old;
        EXPECT_EQ(expected[old][1], m_lfo->get_numerator_parameter()->get_value()) << old;
        EXPECT_EQ(expected[old][2], m_lfo->get_denominator_parameter()->get_value()) << old;
    }
}

TEST(LfoMusicalTriggerTest, AConnectedTriggerRestartsVoiceZeroAndSavesWithThePreset)
{
    Device device;
    MusicalTriggerManager triggers(&device);
    ModulationManager manager(&device, &triggers);
    auto* lfo =
        static_cast<LfoModulator*>(manager.add_modulator(std::make_unique<LfoModulator>(&manager)));
    MusicalTrigger* trigger = triggers.add_user_trigger(u"Bar");
    ASSERT_NE(nullptr, lfo->get_retrigger_reason_parameter());
    triggers.connect(trigger, lfo->get_retrigger_reason_parameter());
    lfo->set_phase(0, 0.5);
    triggers.fire(trigger);
    EXPECT_EQ(0.0, lfo->get_phase(0));
    EXPECT_TRUE(lfo->is_crossfading(0));

    Bex::BiniNode saved;
    lfo->get_parameters().save(saved);
    const Bex::BiniNode& count = saved.get_child(1)
                                     .get_child(Bex::make_id("ReTr"))
                                     .get_child(Bex::make_id("Valu"))
                                     .get_child(Bex::make_id("Coun"));
    EXPECT_EQ(1u, count.get_value_uint32());
    manager.clear();
    // Removing the LFO disconnected its endpoint: firing reaches nothing that is gone.
    triggers.fire(trigger);
}
