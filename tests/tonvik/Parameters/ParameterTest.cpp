#include "../TestSupport.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/Parameters/ParameterEditor.h"
#include "tonvik/Parameters/ParameterOwner.h"
#include "tonvik/Parameters/ParameterVariation.h"

using namespace Tonvik;
using Bex::make_id;

namespace
{

// An integer that counts its commits and can carry plain variations.
class CountingInteger : public P_Integer
{
public:
    explicit CountingInteger(int32_t* a_variable)
    {
        m_interval_start = 0;
        m_interval_end = 10;
        m_default = 3;
        m_variable = a_variable;
    }
    void do_commit() override
    {
        ++m_commits;
        P_Integer::do_commit();
    }
    void do_use_variation() override { ++m_variation_uses; }

    int m_commits = 0;
    int m_variation_uses = 0;
};

class RecordingEditor : public ParameterEditor
{
public:
    void on_parameter_destroyed(Parameter*) override { m_events += "d"; }
    void on_parameter_definition_changed(Parameter*) override { m_events += "c"; }
    void on_parameter_variation_changed(Parameter*) override { m_events += "v"; }
    std::string m_events;
};

class FakeOwner : public ParameterOwner
{
public:
    FakeOwner(uint32_t a_kind, const char16_t* a_prefix, ParameterOwner* a_modulator)
        : ParameterOwner(a_kind), m_prefix(a_prefix), m_modulator(a_modulator)
    {
    }
    ParameterOwner* get_modulator_owner() override { return m_modulator ? m_modulator : this; }
    void append_name_prefix(Bex::String& a_text) const override { a_text += m_prefix; }

    const char16_t* m_prefix;
    ParameterOwner* m_modulator;
};

class ParameterTest : public TonvikTest::DeviceFixture
{
protected:
    CountingInteger* add_integer(uint32_t a_id) { return add(new CountingInteger(&m_value), a_id); }

    int32_t m_value = 0;
};

} // namespace

TEST_F(ParameterTest, VariationRulesAreInternalErrors)
{
    CountingInteger* parameter = add_integer(make_id("Vars"));
    EXPECT_EQ(TonvikTest::exception_text([&] { parameter->append_variation(nullptr, false); }),
              u"a_variation");
    ParameterVariation zero(0, u"zero");
    EXPECT_EQ(TonvikTest::exception_text([&] { parameter->append_variation(&zero, false); }),
              u"a_variation->m_id");
    parameter->append_variation(new ParameterVariation(make_id("One "), u"one"), false);
    parameter->append_variation(new ParameterVariation(make_id("Two "), u"two"), true);
    ParameterVariation again(make_id("One "), u"again");
    EXPECT_EQ(TonvikTest::exception_text([&] { parameter->append_variation(&again, false); }),
              u"!find_variation(a_variation->m_id)");

    RecordingEditor editor;
    parameter->add_editor(&editor);
    initialize();
    EXPECT_EQ(parameter->m_current_variation->m_id, make_id("Two "));
    EXPECT_EQ(parameter->m_variation_uses, 1);
    EXPECT_EQ(editor.m_events, "v");
    parameter->p_use_variation(parameter->m_current_variation);
    EXPECT_EQ(parameter->m_variation_uses, 1);

    // Unknown or malformed "Vari" falls back to the default variation.
    parameter->p_use_variation(parameter->find_variation(make_id("One ")));
    Bex::BiniNode node;
    node.add_child(make_id("Valu")).set_value_int32(4);
    node.add_child(make_id("Norm")).set_value_float(0.5f);
    node.add_child(make_id("Vari")).set_value_uint32(make_id("Nope"));
    LoadReport report;
    EXPECT_TRUE(parameter->load(node, report));
    EXPECT_EQ(parameter->m_current_variation->m_id, make_id("Two "));
    parameter->p_use_variation(parameter->find_variation(make_id("One ")));
    node.get_child(make_id("Vari")).set_value_int32(int32_t(make_id("One ")));
    EXPECT_TRUE(parameter->load(node, report));
    EXPECT_EQ(parameter->m_current_variation->m_id, make_id("Two "));
    parameter->remove_editor(&editor);
}

TEST_F(ParameterTest, LoadFallsBackAndReports)
{
    CountingInteger* parameter = add_integer(make_id("Load"));
    initialize();
    parameter->set_value(7);
    LoadReport report;

    Bex::BiniNode node;
    EXPECT_FALSE(parameter->load(node, report));
    EXPECT_EQ(parameter->get_value(), 3);
    ASSERT_EQ(report.get_problems().size(), 1u);
    EXPECT_EQ(report.get_problems()[0].m_message, u"No child node with id Valu.");
    EXPECT_EQ(report.get_current_parameter(), nullptr);

    node.add_child(make_id("Valu")).set_value_int32(9);
    node.add_child(make_id("Norm")).set_value_float(1.5f);
    EXPECT_TRUE(parameter->load(node, report));
    EXPECT_EQ(parameter->get_value(), 9);
    EXPECT_FLOAT_EQ(parameter->get_normalized_value(), 9.5f / 11.0f);
    EXPECT_EQ(report.get_problems().back().m_message, u"Invalid value.");

    node.get_child(make_id("Norm")).set_value_uint32(1);
    EXPECT_TRUE(parameter->load(node, report));
    EXPECT_EQ(report.get_problems().back().m_message, u"Invalid value type.");
    node.get_child(make_id("Norm")).set_value_float(0.25f);
    EXPECT_TRUE(parameter->load(node, report));
    EXPECT_EQ(parameter->get_normalized_value(), 0.25f);
    EXPECT_EQ(report.get_problems().size(), 3u);
}

TEST_F(ParameterTest, CollectionSavesPersistentParametersAndLoadsByVersion)
{
    CountingInteger* kept = add_integer(make_id("Kept"));
    CountingInteger* newer = add_integer(make_id("Newr"));
    newer->m_minimum_plugin_internal_version = 2;
    CountingInteger* transient = add_integer(make_id("Tran"));
    transient->m_persistent = false;
    initialize();
    kept->set_value(5);
    newer->set_value(6);
    transient->set_value(7);

    Bex::BiniNode saved;
    m_collection->save(saved);
    const Bex::BiniNode& parameters = saved.get_child(1);
    EXPECT_EQ(parameters.get_children().size(), 2u);
    EXPECT_EQ(parameters.find_child(make_id("Tran")), nullptr);
    EXPECT_FLOAT_EQ(
        parameters.get_child(make_id("Kept")).get_child(make_id("Norm")).get_value_float(),
        5.5f / 11.0f);

    kept->set_value(0);
    LoadReport report;
    report.m_device_version = 1;
    m_collection->load(saved, report);
    EXPECT_EQ(kept->get_value(), 5);
    EXPECT_EQ(newer->get_value(), 3);
    EXPECT_EQ(transient->get_value(), 7);
    report.m_device_version = 2;
    m_collection->load(saved, report);
    EXPECT_EQ(newer->get_value(), 6);

    Bex::BiniNode empty;
    m_collection->load(empty, report);
    EXPECT_EQ(kept->get_value(), 3);
    EXPECT_EQ(transient->get_value(), 3);
}

TEST_F(ParameterTest, DuplicateIdsFailTheCollection)
{
    add_integer(make_id("Same"));
    add_integer(make_id("Same"));
    EXPECT_EQ(TonvikTest::exception_text([&] { initialize(); }),
              u"!m_parameter_map.has_key(parameter->get_id())");
}

TEST_F(ParameterTest, DestroyKeepsTheDeviceVectorDense)
{
    CountingInteger* first = add_integer(make_id("Frst"));
    CountingInteger* middle = add_integer(make_id("Midl"));
    CountingInteger* last = add_integer(make_id("Last"));
    initialize();
    int dummy_gui = 0;
    m_device.m_gui = reinterpret_cast<DeviceGui*>(&dummy_gui);
    RecordingEditor editor;
    middle->add_editor(&editor);
    last->add_editor(&editor);
    middle->set_value(1);
    last->set_value(2);
    middle->set_normalized_value_from_host(0.9f);

    // The group would destroy the parameter again: take it out of the tree first.
    ParameterGroup* root = m_collection->get_root();
    root->m_children.remove_at(1);
    root->m_parameters.remove_at(1);
    middle->destroy();
    EXPECT_EQ(editor.m_events, "d");
    ASSERT_EQ(m_device.get_parameters().size(), 2u);
    EXPECT_EQ(m_device.get_parameters()[0], first);
    EXPECT_EQ(m_device.get_parameters()[1], last);
    EXPECT_EQ(last->m_device_index, 1);

    Bex::Vector<Parameter*> changed;
    m_device.take_changed_parameters(changed);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], last);
    m_device.commit_queued_changes();
    EXPECT_EQ(last->m_commits, 1);
    EXPECT_EQ(m_value, 2);
    last->remove_editor(&editor);
    m_device.m_gui = nullptr;
}

TEST_F(ParameterTest, DeletingWithoutDestroyIsAnInternalError)
{
    CountingInteger* parameter = new CountingInteger(&m_value);
    EXPECT_EQ(TonvikTest::exception_text([&] { delete parameter; }), u"m_destroy_called");
}

TEST_F(ParameterTest, CommittableCallbacksAreCountedAndCalledOnce)
{
    int calls = 0;
    TonvikTest::CountingCallback* shared = new TonvikTest::CountingCallback(&calls);
    CountingInteger* a = add_integer(make_id("A   "));
    CountingInteger* b = add_integer(make_id("B   "));
    a->set_committable_callback(shared);
    b->set_committable_callback(shared);
    b->set_committable_callback(shared);
    EXPECT_EQ(shared->get_reference_count(), 2u);
    initialize();

    a->set_value(1);
    b->set_value(2);
    m_device.commit_queued_changes();
    EXPECT_EQ(calls, 1);
    m_collection->commit_all(true);
    EXPECT_EQ(calls, 2);

    a->m_deferred_commit = false;
    a->set_value(4);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(m_value, 4);
}

TEST_F(ParameterTest, OwnersAndFullNames)
{
    FakeOwner modulator(ParameterOwnerKind_MODULATOR, u"LFO 1/", nullptr);
    FakeOwner entry(ParameterOwnerKind_MODULATOR_ENTRY, u"LFO 1/E2/", &modulator);
    FakeOwner other_entry(ParameterOwnerKind_MODULATOR_ENTRY, u"LFO 1/E1/", &modulator);
    FakeOwner stranger(7, u"", nullptr);
    CountingInteger* parameter = add_integer(make_id("Rang"));
    parameter->set_name(u"Range");
    parameter->m_owner = &entry;

    Bex::String name;
    parameter->get_full_name(name);
    EXPECT_EQ(name, u"LFO 1/E2/Range");
    EXPECT_EQ(parameter->get_modulator(), &modulator);
    EXPECT_TRUE(parameter->is_owned_by(&entry));
    EXPECT_FALSE(parameter->is_owned_by(&other_entry));
    EXPECT_TRUE(parameter->is_owned_by(&modulator));
    EXPECT_FALSE(parameter->is_owned_by(&m_device));
    EXPECT_EQ(TonvikTest::exception_text([&] { parameter->is_owned_by(&stranger); }),
              u"Invalid parameter owner.");
    parameter->m_owner = nullptr;
    EXPECT_FALSE(parameter->is_owned_by(&m_device));
    EXPECT_EQ(TonvikTest::exception_text([&] { parameter->to_string(); }),
              u"Parameter::to_string(String&)");
}

TEST_F(ParameterTest, CopyingValuesMatchesParametersById)
{
    CountingInteger* target = add_integer(make_id("Same"));
    int32_t unmatched_value = 0;
    add(new CountingInteger(&unmatched_value), make_id("Only"));
    initialize();
    Device other_device;
    ParameterCollection other;
    int32_t other_value = 0;
    CountingInteger* source = new CountingInteger(&other_value);
    source->set_id(make_id("Same"));
    other.get_root()->append_parameter(source);
    other.initialize(&other_device);
    source->set_value(8);

    m_collection->copy_values_from(other);
    EXPECT_EQ(target->get_value(), 8);
    EXPECT_EQ(target->get_normalized_value(), source->get_normalized_value());
    m_collection->commit_all(false);
    EXPECT_EQ(m_value, 8);
    EXPECT_EQ(unmatched_value, 3);
}
