#include "../TestSupport.h"

#include "bex/Core/Id.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/FloatParameterSmoothers.h"
#include "tonvik/ParameterTypes/Units.h"

using namespace Tonvik;
using Bex::make_id;

namespace
{

class SmootherTest : public TonvikTest::DeviceFixture
{
protected:
    FloatParameter* add_linear(uint32_t a_vector_size)
    {
        FloatParameter* parameter = add(new FloatParameter(), make_id("Lin "));
        FloatParameterVariation* variation = parameter->set_units(Unit_NONE, Unit_NONE);
        variation->m_external_interval_start = -20.0f;
        variation->m_external_interval_end = 20.0f;
        variation->m_external_default_value = -20.0f;
        parameter->m_output = m_output;
        parameter->m_vector_size = a_vector_size;
        parameter->set_committable_callback(new TonvikTest::CountingCallback(&m_callbacks));
        return parameter;
    }

    void start(float a_coefficient)
    {
        m_device.set_smoothing_coefficient(a_coefficient);
        m_device.set_ready_for_processing(true);
        initialize();
        m_collection->commit_all(false);
    }

    alignas(16) float m_output[16] = {};
    int m_callbacks = 0;
};

} // namespace

TEST_F(SmootherTest, LinearGlideCrossesTheRangeInTheSmoothnessTime)
{
    FloatParameter* parameter = add_linear(16);
    start(1.0f / 4800.0f);
    ASSERT_NE(dynamic_cast<ParameterSmoother_InternalLinearN*>(parameter->m_smoother), nullptr);
    EXPECT_EQ(m_output[15], -20.0f);

    parameter->set_normalized_value(1.0f);
    m_device.commit_queued_changes();
    EXPECT_EQ(m_callbacks, 0);
    float previous = -20.0f;
    for (uint32_t block = 0; block < 300; ++block)
    {
        ASSERT_TRUE(m_device.has_running_smoothers()) << block;
        m_device.process_smoothers(16);
        for (float value : m_output)
        {
            // One step, give or take the rounding of floats near 20 (an ulp there is 2e-6).
            EXPECT_LE(value - previous, 1.0f / 120.0f + 4e-6f);
            previous = value;
        }
    }
    // Sample 4800 is at the target but for the rounding of 300 block steps; the clamp puts the
    // next sample exactly on it and the smoother leaves the list.
    EXPECT_LT(m_output[14], 20.0f - 0.008f);
    EXPECT_NEAR(m_output[15], 20.0f, 1e-4f);
    m_device.process_smoothers(16);
    EXPECT_EQ(m_output[0], 20.0f);
    EXPECT_FALSE(m_device.has_running_smoothers());
    EXPECT_EQ(parameter->m_smoother->m_current, 20.0f);
}

TEST_F(SmootherTest, OneWideSmootherMovesByTheStepOfTheWholeCountAndLandsOnTheTarget)
{
    FloatParameter* parameter = add_linear(1);
    start(1.0f / 400.0f);
    ASSERT_NE(dynamic_cast<ParameterSmoother_InternalLinear1*>(parameter->m_smoother), nullptr);
    parameter->set_normalized_value(0.5f);
    m_device.commit_queued_changes();
    m_device.process_smoothers(5);
    EXPECT_FLOAT_EQ(m_output[0], -20.0f + 5.0f * 0.1f);
    EXPECT_EQ(m_output[1], 0.0f);
    EXPECT_TRUE(m_device.has_running_smoothers());

    // Close enough for one more step: the clamp returns the target itself.
    parameter->m_smoother->m_current = -0.05f;
    m_device.process_smoothers(1);
    EXPECT_EQ(m_output[0], 0.0f);
    EXPECT_FALSE(m_device.has_running_smoothers());
}

TEST_F(SmootherTest, ExponentialGlideForFallingAdditiveUnits)
{
    FloatParameter* gain = add(new FloatParameter(), make_id("Gain"));
    FloatParameterVariation* variation = gain->set_units(Unit_DECIBELS, Unit_AMPLITUDE_RATIO);
    variation->m_external_interval_start = 20.0f;
    variation->m_external_interval_end = -20.0f;
    gain->m_output = m_output;
    start(1.0f / 100.0f);
    ASSERT_NE(dynamic_cast<ParameterSmoother_InternalExponential1*>(gain->m_smoother), nullptr);
    EXPECT_GT(gain->m_smoother->m_steps[0], 1.0f);
    gain->set_normalized_value(1.0f);
    m_device.commit_queued_changes();
    uint32_t samples = 0;
    while (m_device.has_running_smoothers() && samples < 1000)
    {
        m_device.process_smoothers(1);
        ++samples;
    }
    // 0 dB to -20 dB is half of the range.
    EXPECT_NEAR(samples, 50u, 1u);
    EXPECT_FLOAT_EQ(m_output[0], 0.1f);
}

TEST_F(SmootherTest, ReasonMaskChoosesBetweenGlideAndJump)
{
    FloatParameter* parameter = add_linear(1);
    start(1.0f / 4800.0f);
    m_device.set_smoothing_reason_mask(1);

    parameter->set_normalized_value_from_host(1.0f);
    m_device.commit_queued_changes();
    EXPECT_EQ(m_output[0], 20.0f);
    EXPECT_EQ(m_callbacks, 1);
    EXPECT_FALSE(m_device.has_running_smoothers());

    parameter->set_normalized_value(0.0f);
    m_device.commit_queued_changes();
    EXPECT_EQ(m_callbacks, 1);
    EXPECT_TRUE(m_device.has_running_smoothers());
    m_device.process_smoothers(16);
    EXPECT_LT(m_output[0], 20.0f);
    EXPECT_GT(m_output[0], 19.0f);

    // A jump in the middle of a glide stops it, so the output stays at the new target.
    parameter->set_normalized_value_from_host(0.75f);
    m_device.commit_queued_changes();
    EXPECT_FALSE(m_device.has_running_smoothers());
    EXPECT_EQ(m_output[0], 10.0f);
    parameter->set_normalized_value(1.0f);
    m_device.commit_queued_changes();
    m_device.process_smoothers(1);
    EXPECT_GT(m_output[0], 10.0f);
    EXPECT_LT(m_output[0], 10.1f);
}

TEST_F(SmootherTest, MaskNoneHasNoSmoothersUntilRebuilt)
{
    FloatParameter* parameter = add_linear(1);
    m_device.set_smoothing_reason_mask(0);
    start(1.0f / 4800.0f);
    EXPECT_EQ(parameter->m_smoother, nullptr);
    parameter->set_normalized_value(1.0f);
    m_device.commit_queued_changes();
    EXPECT_EQ(m_output[0], 20.0f);

    m_device.set_smoothing_reason_mask(3);
    ASSERT_NE(parameter->m_smoother, nullptr);
    EXPECT_EQ(parameter->m_smoother->m_current, 20.0f);
    EXPECT_FLOAT_EQ(parameter->m_smoother->m_steps[15], 16.0f * 40.0f / 4800.0f);

    m_device.set_smoothing_coefficient(1.0f / 40.0f);
    EXPECT_FLOAT_EQ(parameter->m_smoother->m_steps[0], 1.0f);
}

TEST_F(SmootherTest, StoppingAndRebuildingSettleRunningSmoothers)
{
    FloatParameter* parameter = add_linear(16);
    start(1.0f / 4800.0f);
    parameter->set_normalized_value(1.0f);
    m_device.commit_queued_changes();
    m_device.process_smoothers(16);
    m_device.stop_smoothing();
    EXPECT_FALSE(m_device.has_running_smoothers());
    EXPECT_EQ(m_output[0], 20.0f);
    EXPECT_EQ(parameter->m_smoother->m_current, 20.0f);

    parameter->set_normalized_value(0.0f);
    m_device.commit_queued_changes();
    m_device.process_smoothers(16);
    parameter->rebuild_smoother();
    EXPECT_FALSE(m_device.has_running_smoothers());
    EXPECT_EQ(m_output[15], -20.0f);
}

TEST_F(SmootherTest, InvalidVectorSizeIsRefused)
{
    FloatParameter* parameter = add_linear(4);
    EXPECT_EQ(TonvikTest::exception_text([&] { start(0.01f); }),
              u"Invalid vector size for smoothable parameter.");
    parameter->m_smoothable = false;
    EXPECT_EQ(parameter->create_smoother(), nullptr);
}

TEST(ParameterSmootherList, HeadIsNeverProcessed)
{
    ParameterSmoother_ListHead head;
    EXPECT_EQ(TonvikTest::exception_text([&] { head.process(1); }),
              u"This method should not have been called.");
    EXPECT_EQ(TonvikTest::exception_text([&] { head.update_rate(); }),
              u"This method should not have been called.");
    EXPECT_EQ(TonvikTest::exception_text([&] { list_remove<ParameterSmoother>(&head); }),
              u"a_node->m_enlisted");
}
