#include "tonvik/Modulation/ModulationSaver.h"
#include "ModulationTestSupport.h"
#include "bex/Binis/BiniNode.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceProgramBuilder.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/CombinatorModulator.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/TestModulator.h"
#include "tonvik/Modulation/XyModulator.h"
#include "tonvik/ParameterTypes/AssignableParameterSlot.h"
#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/ParameterTypes/Parameter_String.h"

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

using Bex::make_id;

// Adds a program with the 16 assignable slots, and their table, to the modulation fixture.
class ModulationSaverTest : public ModulationFixture
{
protected:
    ModulationSaverTest()
    {
        DeviceProgramBuilder builder(m_program);
        builder.begin_group(make_id("Assi"), u"Assignable");
        builder.add_assignable_parameters();
        builder.end_group();
        m_program.p_initialize();
        for (uint32_t slot = 0; slot < 16; ++slot)
            m_program.get_assignable_table()[slot].m_slot->m_host = &m_host;
        m_slots = std::make_unique<AssignableSlots>(&m_program);
        m_manager.set_assignable_slots(m_slots.get());
    }

    ~ModulationSaverTest() override { m_manager.clear(); }

    std::unique_ptr<Bex::BiniNode> save()
    {
        auto root = std::make_unique<Bex::BiniNode>();
        ModulationSaver::save(m_manager, *root);
        return root;
    }

    std::u16string load_error(const Bex::BiniNode& a_root)
    {
        m_manager.clear();
        return exception_text([&] { ModulationSaver::load(a_root, 1, m_manager); });
    }

    // A tree with one modulator of a_type (stored value) and one assignment.
    static std::unique_ptr<Bex::BiniNode> tree(uint32_t a_type, uint32_t a_slot,
                                               uint32_t a_parameter_id, uint32_t a_modulator,
                                               int32_t a_entry = -1)
    {
        auto root = std::make_unique<Bex::BiniNode>();
        Bex::BiniNode& modulator = root->add_child(make_id("Modu")).add_child(1);
        modulator.add_child(make_id("Type")).set_value_uint32(a_type);
        modulator.add_child(make_id("PrSt")).set_value_uint32(1);
        modulator.add_child(make_id("Para"));
        modulator.add_child(make_id("Entr")).add_child(1).add_child(make_id("Para"));
        Bex::BiniNode& assignment = root->add_child(make_id("Assi")).add_child(1);
        assignment.add_child(make_id("SlIn")).set_value_uint32(a_slot);
        assignment.add_child(make_id("PaId")).set_value_uint32(a_parameter_id);
        assignment.add_child(make_id("MoIn")).set_value_uint32(a_modulator);
        if (a_entry >= 0)
            assignment.add_child(make_id("EnIn")).set_value_int32(a_entry);
        return root;
    }

    RecordingHost m_host;
    DeviceProgram m_program{&m_device};
    std::unique_ptr<AssignableSlots> m_slots;
};

} // namespace

TEST_F(ModulationSaverTest, SaveThenLoadReproducesTheModulation)
{
    auto* lfo = add_modulator<LfoModulator>(ProcessingStage_POST_NOTE);
    auto* combinator = add_modulator<CombinatorModulator>(ProcessingStage_IN_NOTE);
    add_modulator<XyModulator>(ProcessingStage_PRE_NOTE);
    add_modulator<TestModulator>(ProcessingStage_PRE_NOTE);
    lfo->get_denominator_parameter()->set_value(7);
    lfo->get_name_parameter()->set_value(u"Wobble");
    add_entry(lfo, m_gain, 6, 0.25f);
    ModifyingModulatorEntry* on_x = add_entry(lfo, combinator->get_x_parameter(), 13, 0.75f);
    on_x->get_invert_parameter()->set_value(true);
    ModifyingModulatorEntry* on_range = add_entry(combinator, on_x->get_range_parameter(), 1);
    add_entry(combinator, m_value);
    commit();
    m_slots->assign(3, lfo->get_frequency_factor_parameter());
    m_slots->assign(9, on_range->get_range_parameter());
    const std::unique_ptr<Bex::BiniNode> saved = save();

    m_manager.clear();
    EXPECT_EQ(m_program.get_assignable_table()[3].m_slot, m_slots->get_host_parameter(3));
    ModulationSaver::load(*saved, 1, m_manager);
    run();

    const std::unique_ptr<Bex::BiniNode> again = save();
    ASSERT_EQ(4u, m_manager.get_modulator_count());
    const uint32_t stages[4] = {1, 1, 2, 3};
    const uint32_t types[4] = {7, 6, 1, 3};
    for (uint32_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(stages[i], m_manager.get_modulator(i)->get_stage());
        EXPECT_EQ(types[i], m_manager.get_modulator(i)->get_type_number());
    }
    auto* loaded_lfo = static_cast<LfoModulator*>(m_manager.get_modulator(3));
    auto* loaded_combinator = static_cast<CombinatorModulator*>(m_manager.get_modulator(2));
    EXPECT_EQ(7, loaded_lfo->get_denominator_parameter()->get_value());
    EXPECT_EQ(u"Wobble", loaded_lfo->get_name());
    ASSERT_EQ(2u, loaded_lfo->get_entries().size());
    auto* loaded_on_x = static_cast<ModifyingModulatorEntry*>(loaded_lfo->get_entries()[1]);
    EXPECT_EQ(loaded_combinator->get_x_parameter(), loaded_on_x->get_target());
    EXPECT_TRUE(loaded_on_x->is_inverted());
    EXPECT_EQ(15u, loaded_on_x->get_location()); // option 13
    EXPECT_FLOAT_EQ(0.75f, loaded_on_x->get_range_parameter()->get_external_value());
    EXPECT_EQ(m_gain, loaded_lfo->get_entries()[0]->get_target());
    // An entry aimed at another entry's "Range" finds it although entries load in reverse.
    EXPECT_EQ(loaded_on_x->get_range_parameter(),
              loaded_combinator->get_entries()[0]->get_target());
    EXPECT_TRUE(m_value->is_modulated());
    EXPECT_EQ(loaded_lfo->get_frequency_factor_parameter(), m_slots->get_assigned(3));
    EXPECT_EQ(loaded_combinator->get_entries()[0]->get_parameters().find(make_id("MoAm")),
              m_slots->get_host_parameter(9));
    EXPECT_EQ(&m_host, m_slots->get_assigned(9)->m_host);
    EXPECT_EQ(nullptr, m_slots->get_placeholder(9)->m_host);
    EXPECT_EQ(int32_t(m_program.get_assignable_table()[9].m_host_index),
              m_slots->get_assigned(9)->m_host_index);
    // The stored stages are not the stage numbers.
    const Bex::BiniNode& modulation = again->get_child(make_id("Modu"));
    EXPECT_EQ(0u, modulation.get_child(3).get_child(make_id("PrSt")).get_value_uint32());
    EXPECT_EQ(2u, modulation.get_child(4).get_child(make_id("PrSt")).get_value_uint32());
    EXPECT_EQ(2u, modulation.get_child(4).get_child(make_id("Type")).get_value_uint32());
}

TEST_F(ModulationSaverTest, FaultyDataFailsTheLoadWithItsMessage)
{
    const uint32_t factor = make_id("FrFa");
    // The slot index is checked before everything else.
    EXPECT_EQ(u"Invalid assignable slot index.", load_error(*tree(2, 16, factor, 9)));
    EXPECT_EQ(u"Invalid modulator type.", load_error(*tree(1, 0, factor, 0)));
    EXPECT_EQ(u"Invalid assigned parameter's modulator index.", load_error(*tree(2, 0, factor, 1)));
    EXPECT_EQ(u"Invalid assigned parameter's modulator entry index.",
              load_error(*tree(2, 0, factor, 0, 1)));
    EXPECT_EQ(u"Invalid assigned parameter id.", load_error(*tree(2, 0, factor, 0, 0)));
    EXPECT_EQ(u"<no exception>", load_error(*tree(2, 15, make_id("MoAm"), 0, 0)));
    EXPECT_EQ(make_id("MoAm"), m_slots->get_assigned(15)->get_id());

    std::unique_ptr<Bex::BiniNode> stage = tree(2, 0, factor, 0);
    stage->get_child(make_id("Modu")).get_child(1).get_child(make_id("PrSt")).set_value_uint32(3);
    EXPECT_EQ(u"i != Base::end()", load_error(*stage));

    // Targets of entries.
    auto target_error = [&](uint32_t a_id, int32_t a_modulator, int32_t a_entry)
    {
        std::unique_ptr<Bex::BiniNode> root = tree(2, 0, factor, 0);
        Bex::BiniNode& valu = root->get_child(make_id("Modu"))
                                  .get_child(1)
                                  .get_child(make_id("Entr"))
                                  .get_child(1)
                                  .get_child(make_id("Para"))
                                  .add_child(1)
                                  .add_child(2)
                                  .add_child(make_id("Valu"));
        valu.add_child(1).set_value_uint32(a_id);
        if (a_modulator != -2)
            valu.add_child(2).set_value_int32(a_modulator);
        if (a_entry != -2)
            valu.add_child(3).set_value_int32(a_entry);
        return load_error(*root);
    };
    EXPECT_EQ(u"Invalid modulator index.", target_error(factor, 1, -2));
    EXPECT_EQ(u"Invalid entry index.", target_error(make_id("MoAm"), 0, 1));
    EXPECT_EQ(u"Invalid modulatee id.", target_error(make_id("Nope"), -2, -2));
    EXPECT_EQ(u"Assigned parameter cannot be modulated.", target_error(make_id("Plai"), -2, -2));
    EXPECT_EQ(u"<no exception>", target_error(make_id("Valu"), -2, -2));
    EXPECT_TRUE(m_value->is_modulated());
    EXPECT_EQ(u"<no exception>", target_error(make_id("MoAm"), 0, 0));

    m_device.m_static_config.m_maximum_modulators = 1;
    std::unique_ptr<Bex::BiniNode> two = tree(2, 0, factor, 0);
    Bex::BiniNode& second = two->get_child(make_id("Modu")).add_child(2);
    second.add_child(make_id("Type")).set_value_uint32(0);
    second.add_child(make_id("PrSt")).set_value_uint32(1);
    second.add_child(make_id("Para"));
    EXPECT_EQ(u"Too many modulators.", load_error(*two));
    EXPECT_EQ(1u, m_manager.get_modulator_count());
}

TEST_F(ModulationSaverTest, SlotsHoldOnlyModulationParametersAndFallBackToTheirPlaceholders)
{
    auto* lfo = add_modulator<LfoModulator>();
    m_slots->assign(2, m_value);
    EXPECT_EQ(nullptr, m_slots->get_assigned(2));
    m_slots->assign(3, lfo->get_frequency_factor_parameter());
    AssignableParameterSlot* placeholder = m_slots->get_placeholder(3);
    EXPECT_EQ(lfo->get_frequency_factor_parameter(), m_slots->get_host_parameter(3));
    EXPECT_EQ(-1, placeholder->m_host_index);
    m_manager.remove_modulator(0);
    EXPECT_EQ(placeholder, m_slots->get_host_parameter(3));
    EXPECT_EQ(u"Assignable 4", placeholder->get_name());
    EXPECT_EQ(&m_host, placeholder->m_host);
    EXPECT_EQ(int32_t(m_program.get_assignable_table()[3].m_host_index), placeholder->m_host_index);

    // A preset without assignments leaves every slot on its placeholder.
    std::unique_ptr<Bex::BiniNode> root = tree(2, 0, 0, 0);
    root->get_child(make_id("Assi")).clear();
    EXPECT_EQ(u"<no exception>", load_error(*root));
    for (uint32_t slot = 0; slot < 16; ++slot)
        EXPECT_EQ(m_slots->get_placeholder(slot), m_slots->get_host_parameter(slot));
}
