#include "../TestSupport.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/P_GenericChoice_Iterator.h"
#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"
#include "tonvik/ParameterTypes/Parameter_String.h"

using namespace Tonvik;
using Bex::make_id;

namespace
{

class DiscreteParameterTest : public TonvikTest::DeviceFixture
{
protected:
    P_TypedChoice<int>* add_choice(int a_default)
    {
        P_TypedChoice<int>* choice = add(new P_TypedChoice<int>(), make_id("Mode"));
        choice->begin_options();
        choice->append_option(10, u"-6dB (lin)", 100, u"-6dB, linear");
        choice->append_separator();
        choice->append_option(20, u"Equal power", 200);
        choice->append_option(30, u"0dB", 300);
        choice->end_options();
        choice->m_default_value = a_default;
        choice->m_variable = &m_choice_value;
        return choice;
    }

    P_Integer* add_integer(int32_t a_start, int32_t a_end)
    {
        P_Integer* integer = add(new P_Integer(), make_id("Voic"));
        integer->m_interval_start = a_start;
        integer->m_interval_end = a_end;
        integer->m_default = a_start;
        integer->m_variable = &m_integer_value;
        return integer;
    }

    int m_choice_value = 0;
    int32_t m_integer_value = 0;
};

} // namespace

TEST_F(DiscreteParameterTest, ChoiceSlicesAndTexts)
{
    P_TypedChoice<int>* choice = add_choice(200);
    initialize();
    EXPECT_EQ(choice->get_current_option()->m_id, 20u);
    EXPECT_FLOAT_EQ(choice->get_options()[0]->m_normalized_value, 1.0f / 6.0f);
    EXPECT_FLOAT_EQ(choice->get_options()[1]->m_normalized_value, 0.5f);
    EXPECT_FLOAT_EQ(choice->get_options()[2]->m_normalized_value, 5.0f / 6.0f);

    const float inputs[] = {0.0f, 0.33f, 0.34f, 1.0f, -0.5f, 7.0f};
    const uint32_t expected[] = {0, 0, 1, 2, 0, 2};
    for (size_t i = 0; i < 6; ++i)
    {
        choice->set_normalized_value(inputs[i]);
        EXPECT_EQ(choice->get_current_option()->m_index, expected[i]) << inputs[i];
    }
    m_device.drain_commit_queues();
    EXPECT_EQ(m_choice_value, 300);

    choice->select_option(10);
    Bex::String text;
    choice->get_display_text(text);
    EXPECT_EQ(text, u"-6dB, linear");
    EXPECT_EQ(choice->get_options()[1]->m_display_text, u"Equal power");
    EXPECT_FALSE(choice->select_option(10));
    EXPECT_FALSE(choice->select_option(99));
    EXPECT_TRUE(choice->select_option(30));
    EXPECT_TRUE(choice->select_option(99));
    EXPECT_EQ(choice->get_current_option()->m_id, 10u);
}

TEST_F(DiscreteParameterTest, TypedChoiceWithoutMatchingDefaultResetsToTheFirstOption)
{
    P_TypedChoice<int>* choice = add_choice(555);
    initialize();
    EXPECT_EQ(choice->m_default_option_id, 0u);
    EXPECT_EQ(choice->get_current_option()->m_id, 10u);
    choice->do_commit();
    EXPECT_EQ(m_choice_value, 100);
}

TEST_F(DiscreteParameterTest, ChoiceDefinitionErrors)
{
    P_TypedChoice<int>* choice = add_choice(100);
    EXPECT_EQ(TonvikTest::exception_text([&] { choice->append_separator(); }), u"m_builder");
    EXPECT_EQ(TonvikTest::exception_text([&] { choice->end_options(); }), u"m_builder");
    choice->append_option(20, u"Again", 1);
    EXPECT_EQ(TonvikTest::exception_text([&] { initialize(); }),
              u"Multiple options with the same id.");

    P_GenericChoice* empty = new P_GenericChoice();
    empty->begin_options();
    EXPECT_EQ(TonvikTest::exception_text([&] { empty->begin_options(); }), u"!m_builder");
    EXPECT_EQ(TonvikTest::exception_text([&] { empty->do_initialize(); }), u"!m_builder");
    empty->end_options();
    EXPECT_EQ(TonvikTest::exception_text([&] { empty->do_initialize(); }),
              u"m_options_vector.size()");
    empty->destroy();
}

TEST_F(DiscreteParameterTest, ChoiceLoadAndSave)
{
    P_TypedChoice<int>* choice = add_choice(100);
    initialize();
    choice->select_option(30);
    Bex::BiniNode saved;
    m_collection->save(saved);
    EXPECT_EQ(
        saved.get_child(1).get_child(make_id("Mode")).get_child(make_id("Valu")).get_value_uint32(),
        30u);
    choice->select_option(20);
    LoadReport report;
    report.m_device_version = 1;
    m_collection->load(saved, report);
    EXPECT_EQ(choice->get_current_option()->m_id, 30u);

    saved.get_child(1).get_child(make_id("Mode")).get_child(make_id("Valu")).set_value_uint32(77);
    m_collection->load(saved, report);
    EXPECT_EQ(choice->get_current_option()->m_id, 10u);
}

TEST_F(DiscreteParameterTest, IteratorVisitsTheTreeInOrder)
{
    P_GenericChoice* choice = add(new P_GenericChoice(), make_id("Tree"));
    choice->begin_options();
    choice->append_option(1, u"a");
    choice->begin_group(u"inner");
    choice->append_option(2, u"b");
    choice->append_separator();
    choice->end_group();
    choice->append_option(3, u"c");
    choice->end_options();
    initialize();
    EXPECT_EQ(choice->get_options()[1]->m_id, 2u);

    struct Recorder : P_GenericChoice_Iterator
    {
        void enter_group(P_GenericChoice_Group& a_group) override
        {
            m_text += u"[" + a_group.m_name;
        }
        void leave_group(P_GenericChoice_Group&) override { m_text += u"]"; }
        void option(P_GenericChoice_Option& a_option) override { m_text += a_option.m_name; }
        void separator(P_GenericChoice_Separator&) override { m_text += u"|"; }
        std::u16string m_text;
    } recorder;
    recorder.iterate(*choice);
    EXPECT_EQ(recorder.m_text, u"a[innerb|]c");

    choice->get_root_group()->m_children.push_back(new P_GenericChoice_Node(7));
    EXPECT_EQ(TonvikTest::exception_text([&] { recorder.iterate(*choice); }),
              u"P_GenericChoice_Iterator: Invalid P_GenericChoice_Node type.");
}

TEST_F(DiscreteParameterTest, IntegerMappingBothDirections)
{
    P_Integer* rising = add_integer(1, 8);
    P_Integer* falling = add(new P_Integer(), make_id("Fall"));
    falling->m_interval_start = 8;
    falling->m_interval_end = 1;
    falling->m_default = 8;
    int32_t falling_value = 0;
    falling->m_variable = &falling_value;
    initialize();

    rising->set_normalized_value(0.5f);
    EXPECT_EQ(rising->get_value(), 5);
    rising->set_normalized_value(1.0f);
    EXPECT_EQ(rising->get_value(), 8);
    rising->set_value(2);
    rising->set_value(8);
    EXPECT_FLOAT_EQ(rising->get_normalized_value(), 0.9375f);

    falling->set_normalized_value(0.0f);
    EXPECT_EQ(falling->get_value(), 8);
    falling->set_normalized_value(1.0f);
    EXPECT_EQ(falling->get_value(), 1);
    falling->set_value(8);
    EXPECT_FLOAT_EQ(falling->get_normalized_value(), 1.0f / 16.0f);
    m_device.drain_commit_queues();
    EXPECT_EQ(falling_value, 8);
    EXPECT_EQ(m_integer_value, 8);

    Bex::BiniNode node;
    node.add_child(make_id("Valu")).set_value_int32(99);
    LoadReport report;
    EXPECT_TRUE(rising->load(node, report));
    EXPECT_EQ(rising->get_value(), 8);
    node.get_child(make_id("Valu")).set_value_float(3.0f);
    EXPECT_FALSE(rising->load(node, report));
    EXPECT_EQ(rising->get_value(), 1);
    EXPECT_TRUE(report.has_problem(u"m_value_type == BiniValueType_INT32"));
}

TEST_F(DiscreteParameterTest, BooleanSetTwiceSendsOnlyTheGesture)
{
    P_Boolean* flag = add(new P_Boolean(), make_id("Enab"));
    bool value = false;
    flag->m_variable = &value;
    TonvikTest::RecordingHost host;
    flag->m_host = &host;
    int callbacks = 0;
    flag->set_committable_callback(new TonvikTest::CountingCallback(&callbacks));
    initialize();

    flag->set_value(true);
    EXPECT_EQ(host.m_calls, (std::vector<std::string>{"begin", "automate", "end"}));
    EXPECT_EQ(host.m_automated, std::vector<float>{1.0f});
    flag->set_value(true);
    EXPECT_EQ(host.m_calls.size(), 5u);
    EXPECT_EQ(host.m_calls[3], "begin");
    EXPECT_EQ(host.m_calls[4], "end");
    m_device.commit_queued_changes();
    EXPECT_TRUE(value);
    EXPECT_EQ(callbacks, 1);

    // set_normalized_value always goes through, even to the same value.
    flag->set_normalized_value(1.0f);
    EXPECT_EQ(host.m_calls.size(), 8u);
    host.m_busy = 1;
    flag->set_normalized_value(0.2f);
    EXPECT_EQ(host.m_calls.size(), 10u);
    EXPECT_FALSE(flag->get_value());

    Bex::String text;
    flag->get_display_text(text);
    EXPECT_EQ(text, u"Off");
    Bex::BiniNode node;
    node.add_child(make_id("Valu")).set_value_int32(1);
    LoadReport report;
    EXPECT_FALSE(flag->load(node, report));
    ASSERT_EQ(report.get_problems().size(), 1u);
    EXPECT_EQ(report.get_problems()[0].m_message, u"Node \"/Valu\":\nExpected type bool.");
    EXPECT_EQ(report.get_problems()[0].m_parameter_id, make_id("Enab"));
}

TEST_F(DiscreteParameterTest, StringParameterRoundTrip)
{
    Parameter_String* name = add(new Parameter_String(), make_id("Name"));
    name->m_default = u"(no name)";
    Bex::String bound;
    name->m_variable = &bound;
    initialize();
    EXPECT_EQ(name->get_value(), u"(no name)");
    name->set_value(u"Wobble");
    m_device.commit_queued_changes();
    EXPECT_EQ(bound, u"Wobble");

    Bex::BiniNode saved;
    m_collection->save(saved);
    const Bex::BiniNode& node = saved.get_child(1).get_child(make_id("Name"));
    EXPECT_EQ(node.find_child(make_id("Norm")), nullptr);
    name->do_reset();
    LoadReport report;
    report.m_device_version = 1;
    m_collection->load(saved, report);
    EXPECT_EQ(name->get_value(), u"Wobble");
    EXPECT_TRUE(report.get_problems().empty());
}
