#include "../TestSupport.h"

#include "bex/Core/Id.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/ParameterTypes/Units.h"
#include "tonvik/Parameters/ParameterEditor.h"

#include <cmath>

using namespace Tonvik;
using Bex::make_id;

namespace
{

class CommitCounter : public P_Integer
{
public:
    explicit CommitCounter(int32_t* a_variable)
    {
        m_interval_start = 0;
        m_interval_end = 99;
        m_variable = a_variable;
    }
    void do_commit() override
    {
        ++m_commits;
        P_Integer::do_commit();
    }
    int m_commits = 0;
};

class DeviceTest : public TonvikTest::DeviceFixture
{
};

} // namespace

TEST_F(DeviceTest, TwoHostChangesInOneBlockCommitOnceWithTheLastValue)
{
    int32_t value = -1;
    CommitCounter* parameter = add(new CommitCounter(&value), make_id("Cnt "));
    initialize();

    parameter->set_value(50);
    parameter->set_normalized_value_from_host(0.1f);
    parameter->set_normalized_value_from_host(0.205f);
    const CommitListNode& node = parameter->m_commit_nodes[0];
    EXPECT_TRUE(node.m_enlisted);
    EXPECT_EQ(node.m_reason, uint32_t(CommitReason_HOST));
    EXPECT_FALSE(parameter->m_commit_nodes[1].m_enlisted);

    m_device.commit_queued_changes();
    EXPECT_EQ(parameter->m_commits, 1);
    EXPECT_EQ(value, 20);
    EXPECT_FALSE(node.m_enlisted);

    // The next block fills the other queue.
    parameter->set_normalized_value_from_host(0.5f);
    EXPECT_TRUE(parameter->m_commit_nodes[1].m_enlisted);
    m_device.commit_queued_changes();
    EXPECT_EQ(parameter->m_commits, 2);
    EXPECT_EQ(value, 50);
    m_device.commit_queued_changes();
    EXPECT_EQ(parameter->m_commits, 2);
}

TEST_F(DeviceTest, SampleRateChangesFollowThroughToParameters)
{
    alignas(16) float output[16] = {};
    FloatParameter* delay = add(new FloatParameter(), make_id("Dela"));
    FloatParameterVariation* variation = delay->set_units(Unit_MILLISECONDS, Unit_FRAMES);
    variation->m_external_interval_end = 20.0f;
    variation->m_external_default_value = 10.0f;
    delay->m_output = output;
    m_device.set_ready_for_processing(true);
    initialize();
    EXPECT_FLOAT_EQ(delay->get_internal_value(), 10.0f);
    const float old_step = delay->m_smoother->m_steps[0];

    m_device.set_sample_rate(NAN);
    m_device.set_sample_rate(-5.0f);
    EXPECT_EQ(m_device.get_sample_rate(), 1000.0f);
    m_device.set_sample_rate(44100.0f);
    EXPECT_FLOAT_EQ(delay->get_internal_value(), 441.0f);
    EXPECT_FLOAT_EQ(output[0], 441.0f);
    EXPECT_FLOAT_EQ(delay->m_smoother->m_steps[0], old_step * 44.1f);
    EXPECT_FLOAT_EQ(delay->m_smoothing_span_or_ratio[3], 882.0f);
}

TEST_F(DeviceTest, ChangedParametersAreListedOnceWhileAnEditorExists)
{
    int32_t value = 0;
    CommitCounter* parameter = add(new CommitCounter(&value), make_id("Chg "));
    initialize();
    struct NullEditor : ParameterEditor
    {
        void on_parameter_destroyed(Parameter*) override {}
        void on_parameter_definition_changed(Parameter*) override {}
        void on_parameter_variation_changed(Parameter*) override {}
    } editor;
    parameter->add_editor(&editor);
    Bex::Vector<Parameter*> changed;

    parameter->set_value(1);
    m_device.take_changed_parameters(changed);
    EXPECT_TRUE(changed.empty());

    int dummy_gui = 0;
    m_device.m_gui = reinterpret_cast<DeviceGui*>(&dummy_gui);
    parameter->set_value(2);
    parameter->set_normalized_value_from_host(0.5f);
    m_device.take_changed_parameters(changed);
    EXPECT_EQ(changed.size(), 1u);
    m_device.take_changed_parameters(changed);
    EXPECT_TRUE(changed.empty());
    parameter->remove_editor(&editor);
    m_device.m_gui = nullptr;
}
