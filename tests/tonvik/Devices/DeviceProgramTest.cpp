#include "../TestSupport.h"

#include "bex/Core/Id.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceProgramBuilder.h"
#include "tonvik/Devices/ParameterIterator.h"
#include "tonvik/Devices/ParameterIteratorListener.h"
#include "tonvik/ParameterTypes/AssignableParameterSlot.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/Parameter_String.h"
#include "tonvik/ParameterTypes/Units.h"

using namespace Tonvik;
using Bex::make_id;

namespace
{

class DeviceProgramTest : public ::testing::Test
{
protected:
    P_Boolean* make_boolean(const char* a_id, uint32_t a_version = 1)
    {
        P_Boolean* parameter = new P_Boolean();
        parameter->set_id(make_id(a_id));
        parameter->set_name(Bex::String::from_ascii(a_id));
        parameter->m_variable = &m_sink;
        parameter->m_minimum_plugin_internal_version = a_version;
        return parameter;
    }

    Bex::String host_names() const
    {
        Bex::String names;
        for (Parameter* parameter : m_program->get_host_list())
            names += parameter->get_name() + u",";
        return names;
    }

    ~DeviceProgramTest() override { delete m_program; }

    Device m_device;
    DeviceProgram* m_program = new DeviceProgram(&m_device);
    DeviceProgramBuilder m_builder{*m_program};
    bool m_sink = false;
};

} // namespace

TEST_F(DeviceProgramTest, HostListOrdersByVersionThenKeyThenDeclaration)
{
    m_device.m_static_config.m_plugin_internal_version = 2;
    m_builder.add_parameter(make_boolean("New", 2));
    m_builder.begin_group(make_id("Glob"), u"Global");
    m_builder.add_parameter(make_boolean("B"));
    Parameter_String* text = new Parameter_String();
    text->set_id(make_id("Text"));
    text->m_host_visible = true;
    m_builder.add_parameter(text);
    m_builder.add_parameter(make_boolean("A"));
    m_builder.end_group();
    ParameterGroup* assignable = m_builder.begin_group(make_id("Assi"), u"Assignable");
    m_builder.add_assignable_parameters();
    m_builder.end_group();
    m_program->p_initialize();

    EXPECT_EQ(assignable->m_owner, &m_device);
    EXPECT_EQ(assignable->m_parameters[3]->m_owner, &m_device);
    ASSERT_EQ(m_program->get_host_list().size(), 19u);
    EXPECT_EQ(m_program->get_assignable_count(), 16u);
    for (uint32_t i = 0; i < 16; ++i)
    {
        Parameter* slot = m_program->get_host_list()[i];
        EXPECT_EQ(slot->m_host_index, int32_t(i));
        EXPECT_EQ(m_program->get_host_slot(i).m_is_assignable, 1u);
        EXPECT_EQ(m_program->get_host_slot(i).m_assignable_index, i);
        EXPECT_EQ(m_program->get_assignable_table()[i].m_host_index, i);
        EXPECT_EQ(m_program->get_assignable_table()[i].m_slot, slot);
    }
    EXPECT_EQ(m_program->get_host_list()[0]->get_name(), u"Assignable 1");
    EXPECT_EQ(m_program->get_host_list()[15]->get_id(), make_id("As15"));
    EXPECT_EQ(m_program->get_host_list()[9]->get_id(), make_id("As09"));
    EXPECT_EQ(host_names().substr(host_names().size() - 8), u"B,A,New,");
    EXPECT_EQ(m_program->get_host_slot(16).m_is_assignable, 0u);
    EXPECT_EQ(text->m_host_index, -1);
    EXPECT_FALSE(m_program->get_host_list()[0]->m_persistent);
}

TEST_F(DeviceProgramTest, VersionAboveThePluginsIsAnInternalError)
{
    m_builder.add_parameter(make_boolean("Futr", 3));
    EXPECT_EQ(TonvikTest::exception_text([&] { m_program->p_initialize(); }),
              u"p->m_minimum_plugin_internal_version <= "
              u"m_device->m_static_config.m_plugin_internal_version");
}

TEST_F(DeviceProgramTest, EmptyGroupStackIsAnInternalError)
{
    m_builder.end_group();
    const std::u16string expected = u"!m_group_stack.empty()";
    EXPECT_EQ(TonvikTest::exception_text([&] { m_builder.end_group(); }), expected);
    EXPECT_EQ(TonvikTest::exception_text([&] { m_builder.begin_group(1, u"x"); }), expected);
    P_Boolean* orphan = make_boolean("Orph");
    EXPECT_EQ(TonvikTest::exception_text([&] { m_builder.add_parameter(orphan); }), expected);
    orphan->destroy();
}

TEST_F(DeviceProgramTest, IteratorWalksTheTreeWithFilters)
{
    m_builder.add_parameter(make_boolean("Top"));
    m_builder.begin_group(make_id("Grp1"), u"One");
    FloatParameter* depth = new FloatParameter();
    depth->set_id(make_id("Dept"));
    depth->set_name(u"Depth");
    depth->set_units(Unit_NONE, Unit_NONE);
    depth->m_modulatable = true;
    m_builder.add_parameter(depth);
    m_builder.begin_group(make_id("Grp2"), u"Two");
    P_Boolean* marked = make_boolean("Mark");
    marked->m_modulator_parameter = true;
    m_builder.add_parameter(marked);
    m_builder.end_group();
    m_builder.end_group();
    m_program->p_initialize();

    struct Recorder : ParameterIteratorListener
    {
        void begin_device(Device*) override { m_text += u"D("; }
        void end_device() override { m_text += u")D"; }
        void begin_group(ParameterGroup* a_group) override { m_text += u"{" + a_group->m_name; }
        void end_parameters(ParameterGroup*) override { m_text += u";"; }
        void begin_subgroups(ParameterGroup*) override { m_text += u"<"; }
        void enter_subgroup(ParameterGroup*) override { m_text += u"+"; }
        void leave_subgroup(ParameterGroup*) override { m_text += u"-"; }
        void end_group(ParameterGroup*) override { m_text += u"}"; }
        void begin_modulators() override { m_text += u"M("; }
        void end_modulators() override { m_text += u")M"; }
        void parameter(Parameter* a_parameter) override { m_text += a_parameter->get_name(); }
        std::u16string m_text;
    };
    Recorder all;
    ParameterIterator(&m_device, m_program, &all, ParameterIteratorScope_PROGRAM, 0).walk();
    EXPECT_EQ(all.m_text, u"D({Top;<+{OneDepth;<+{TwoMark;<}-}-})D");

    Recorder modulatable;
    ParameterIterator(&m_device, m_program, &modulatable, 3,
                      ParameterIteratorFilter_MODULATABLE | ParameterIteratorFilter_NORMALIZABLE)
        .walk();
    EXPECT_EQ(modulatable.m_text, u"D({;<+{OneDepth;<+{Two;<}-}-})DM()M");

    Recorder marks;
    ParameterIterator(&m_device, m_program, &marks, 1, ParameterIteratorFilter_MODULATOR_PARAMETERS)
        .walk();
    EXPECT_EQ(marks.m_text, u"D({;<+{One;<+{TwoMark;<}-}-})D");
}
