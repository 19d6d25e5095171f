#include "ModulationTestSupport.h"
#include "tonvik/Modulation/CombinatorModulator.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModificationType.h"
#include "tonvik/Modulation/TestModulator.h"
#include "tonvik/Modulation/XyModulator.h"

#include <cmath>
#include <vector>

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

using ModulatorsTest = ModulationFixture;

const float* up_of(ModifyingModulator* a_modulator, uint32_t a_group = 0)
{
    return a_modulator->get_group(a_group).m_signal.m_vectors[SignalVectorKind_UP];
}

} // namespace

TEST_F(ModulatorsTest, CombinatorPassesItsControlValueOn)
{
    CombinatorModulator* combinator = add_modulator<CombinatorModulator>();
    add_entry(combinator, m_other, 1, 1.0f);
    run();
    EXPECT_FLOAT_EQ(0.75f, m_other_output[0]);
    EXPECT_EQ(u"", combinator->get_type_name());
    // An entry of "Above" reads u alone, so nothing else is derived; once an entry of "Below"
    // reads 1 - u, the derived signals follow u.
    const ModulationSignal& signal = combinator->get_group(0).m_signal;
    EXPECT_EQ(1u << SignalVectorKind_UP, signal.m_used_kinds);
    add_entry(combinator, m_value, 9, 1.0f); // "Below"
    EXPECT_NE(0u, signal.m_used_kinds & (1u << SignalVectorKind_DOWN));
    run();
    EXPECT_FLOAT_EQ(0.5f, signal.m_vectors[SignalVectorKind_DOWN][7]);
    EXPECT_FLOAT_EQ(0.0f, signal.m_vectors[SignalVectorKind_CENTERED][7]);
}

TEST_F(ModulatorsTest, AnXyEntryFollowsTheAxisItSelectsAtOnce)
{
    XyModulator* xy = add_modulator<XyModulator>();
    set_float(xy->get_x_parameter(), 0.125f);
    set_float(xy->get_y_parameter(), 0.625f);
    auto* entry = static_cast<XyModulatorEntry*>(add_entry(xy, m_other, 1, 1.0f));
    run();
    EXPECT_FLOAT_EQ(0.375f, m_other_output[0]);
    choose(entry->get_axis_parameter(), 2);
    run();
    EXPECT_FLOAT_EQ(0.875f, m_other_output[0]);
    EXPECT_EQ(u"XY", xy->get_type_name());
}

TEST_F(ModulatorsTest, SlewLimiterTurnsAJumpIntoARamp)
{
    XyModulator* xy = add_modulator<XyModulator>();
    choose(xy->get_smoothing_parameter(), 3);          // "On"
    set_float(xy->get_smoothness_parameter(), 100.0f); // 100 ms at 1000 Hz: 0.01 per sample
    set_float(xy->get_x_parameter(), 0.0f);
    add_entry(xy, m_other, 1, 1.0f);
    for (int i = 0; i < 8; ++i)
        run();
    ASSERT_EQ(0.0f, up_of(xy)[15]);
    set_float(xy->get_x_parameter(), 1.0f);
    std::vector<float> ramp;
    for (int block = 0; block < 8; ++block)
    {
        run();
        ramp.insert(ramp.end(), up_of(xy), up_of(xy) + 16);
    }
    for (size_t i = 0; i < 98; ++i)
        EXPECT_NEAR(0.01f * float(i + 1), ramp[i], 1e-4f) << i;
    EXPECT_LT(ramp[97], 1.0f);
    EXPECT_EQ(1.0f, ramp[100]);
    EXPECT_EQ(1.0f, ramp.back());
}

TEST_F(ModulatorsTest, RetriggerCrossfadesOnlyWhenSmoothingIsLeftToNecessity)
{
    LfoModulator* lfo = add_modulator<LfoModulator>();
    add_entry(lfo, m_other, 1, 1.0f);
    set_float(lfo->get_smoothness_parameter(), 32.0f); // a 32-sample crossfade
    for (int i = 0; i < 10; ++i)
        run();
    const float before = up_of(lfo)[15];
    ASSERT_GT(std::fabs(before - 0.5f), 0.1f); // far from the sine's start value

    m_manager.retrigger(1);
    EXPECT_TRUE(lfo->is_crossfading(0));
    run();
    // The first sample still holds the old output; the ramp reaches the new phase later.
    EXPECT_FLOAT_EQ(before, up_of(lfo)[0]);
    EXPECT_TRUE(lfo->is_crossfading(0));
    run();
    EXPECT_FALSE(lfo->is_crossfading(0));

    choose(lfo->get_smoothing_parameter(), 1); // "Off"
    for (int i = 0; i < 10; ++i)
        run();
    m_manager.retrigger(1);
    EXPECT_FALSE(lfo->is_crossfading(0));
    run();
    EXPECT_FLOAT_EQ(0.5f, up_of(lfo)[0]);
}

TEST_F(ModulatorsTest, TestModulatorAppliesItsQuadratic)
{
    TestModulator* test = add_modulator<TestModulator>();
    auto* entry = static_cast<TestModulatorEntry*>(m_manager.add_entry(test, 0));
    entry->get_modulatee_parameter()->set_target(m_other);
    set_float(test->m_coefficients[0], 0.0f);
    set_float(test->m_coefficients[1], 1.0f);
    set_float(test->m_coefficients[2], 0.0f);
    run();
    EXPECT_FLOAT_EQ(0.25f, m_other_output[0]);
    // The entry's own "C" replaces the modulator's once its override is on.
    set_float(entry->m_coefficients[2], 0.5f);
    entry->m_overrides[2]->set_value(true);
    run();
    EXPECT_FLOAT_EQ(0.75f, m_other_output[0]);
    EXPECT_EQ(u"No gui.", exception_text([&] { test->create_gui(); }));
}
