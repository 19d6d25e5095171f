#include "ModulationTestSupport.h"
#include "bex/Binis/BiniNode.h"
#include "bex/Signals/Trackable.h"
#include "tonvik/Devices/ParameterIterator.h"
#include "tonvik/Devices/ParameterIteratorListener.h"
#include "tonvik/Modulation/BoundsState.h"
#include "tonvik/Modulation/CombinatorModulator.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModificationType.h"
#include "tonvik/Modulation/ModulationExceptions.h"

#include <cmath>

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

class ModulationModelTest : public ModulationFixture
{
protected:
    CombinatorModulator* add_combinator(float a_x)
    {
        CombinatorModulator* combinator = add_modulator<CombinatorModulator>();
        set_float(combinator->get_x_parameter(), a_x);
        return combinator;
    }
};

struct EventLog : Bex::Trackable
{
    void on_modulator(ModulationEvents::ModulatorEvent& a_event)
    {
        m_log += a_event.m_added ? "M+" : "M-";
    }
    void on_entry(ModulationEvents::EntryEvent& a_event) { m_log += a_event.m_added ? "E+" : "E-"; }
    void on_moved(ModulationEvents::OnModulatorMoved&) { m_log += "moved"; }
    void on_cleared() { m_log += "cleared"; }

    std::string m_log;
};

} // namespace

TEST_F(ModulationModelTest, AboveAtFullSignalLeavesTheRangeAndTheFinalValueIsClamped)
{
    CombinatorModulator* combinator = add_combinator(1.0f);
    add_entry(combinator, m_value);
    EXPECT_TRUE(m_value->is_modulated());
    run();
    EXPECT_FLOAT_EQ(1.8f, m_value->get_final_value()[0]);
    EXPECT_EQ(BoundsBit_NOT_BELOW_ZERO, m_value->m_bounds_state);
    for (float value : m_value_output)
        EXPECT_EQ(1.0f, value);
}

TEST_F(ModulationModelTest, TwoEntriesChainInModulatorOrderAndFinishOnce)
{
    CombinatorModulator* first = add_combinator(0.5f);
    CombinatorModulator* second = add_combinator(1.0f);
    // The second modulator's entry comes later in the chain although it is added first.
    add_entry(second, m_other, 9, 0.5f); // "Below" (option 9): P - A M (1 - u) = P - 0
    add_entry(first, m_other, 1, 0.5f);  // "Above": 0.25 + 0.5 * 0.5
    ModulatorEntry* below = second->get_entries()[0];
    ModulatorEntry* above = first->get_entries()[0];
    ASSERT_EQ(2u, m_other->m_chain.size());
    EXPECT_EQ(above, m_other->m_chain[0]);
    EXPECT_EQ(below, m_other->m_chain[1]);
    EXPECT_TRUE(below->m_last_in_chain);
    EXPECT_FALSE(above->m_last_in_chain);
    EXPECT_EQ(above->m_io[0].m_output, below->m_io[0].m_input);
    set_float(second->get_x_parameter(), 0.0f); // now "Below" takes 0.5 * 1
    run();
    EXPECT_FLOAT_EQ(0.25f + 0.25f - 0.5f, m_other_output[3]);
    // "Above" then "Below" may leave the range on both sides.
    EXPECT_EQ(0u, m_other->m_bounds_state);
}

TEST_F(ModulationModelTest, AModulatorReadsWhatEarlierModulatorsMadeOfItsParametersAtOnce)
{
    CombinatorModulator* combinator = add_combinator(1.0f);
    LfoModulator* lfo = add_modulator<LfoModulator>();
    choose(lfo->get_waveform_parameter(), 2);  // "Saw" shows the phase
    choose(lfo->get_smoothing_parameter(), 1); // "Off": the saw would glide
    add_entry(lfo, m_value, 1, 0.0f);
    run();
    EXPECT_EQ(0.0f, lfo->get_group(0).m_signal.m_vectors[SignalVectorKind_UP][0]);
    // The combinator comes first and moves the LFO's "Phase" by half a cycle, which the LFO's
    // waveform shows in the same sub-block.
    add_entry(combinator, lfo->get_phase_parameter(), 1, 0.5f);
    lfo->set_phase(0, 0.0);
    run();
    EXPECT_EQ(0.5f, lfo->get_group(0).m_signal.m_vectors[SignalVectorKind_UP][0]);
}

TEST_F(ModulationModelTest, AChainOfOneModulatorsEntriesRunsInItsOrder)
{
    CombinatorModulator* combinator = add_combinator(1.0f);
    add_entry(combinator, m_value, 1, 0.1f);
    add_entry(combinator, m_other, 1, 0.5f);
    // Last in the chain of "Valu", after the first entry: it reads what that one wrote.
    add_entry(combinator, m_value, 1, 0.05f);
    run();
    EXPECT_FLOAT_EQ(0.95f, m_value_output[0]);
    EXPECT_FLOAT_EQ(0.75f, m_other_output[0]);
    // A new "Location" on the entry that finishes takes effect at once: "Below" (option 9) takes
    // A M (1 - u) = 0 off.
    auto* last = static_cast<ModifyingModulatorEntry*>(combinator->get_entries()[2]);
    choose(last->get_location_parameter(), 9);
    run();
    EXPECT_FLOAT_EQ(0.9f, m_value_output[0]);
}

TEST_F(ModulationModelTest, AnEntryReadsTheRangeAnEarlierEntryGaveItAtOnce)
{
    CombinatorModulator* first = add_combinator(1.0f);
    CombinatorModulator* second = add_combinator(1.0f);
    ModifyingModulatorEntry* depth = add_entry(first, m_value, 1, 0.0f);
    // The second modulator's entry on the same target keeps "depth" from finishing the chain.
    add_entry(second, m_value, 1, 0.0f);
    // An entry put before "depth" in the same modulator sets its "Range".
    auto* setter = static_cast<ModifyingModulatorEntry*>(m_manager.add_entry(first, 0));
    set_float(setter->get_range_parameter(), 0.1f);
    setter->get_modulatee_parameter()->set_target(depth->get_range_parameter());
    run();
    EXPECT_FLOAT_EQ(0.9f, m_value_output[0]);
}

TEST_F(ModulationModelTest, RemovingTheOnlyEntryRestoresTheOwnValueAndKeepsTheListDense)
{
    CombinatorModulator* combinator = add_combinator(1.0f);
    add_entry(combinator, m_value, 1, 0.1f);
    add_entry(combinator, m_gain, 5, 0.5f);
    add_entry(combinator, m_other, 1, 0.5f);
    ASSERT_EQ(3u, m_manager.get_modulated_targets().size());
    run();
    EXPECT_FLOAT_EQ(0.9f, m_value_output[0]);
    // "Around" +0.25 normalized on a -20..20 dB gain is +10 dB.
    EXPECT_NEAR(std::pow(10.0f, 0.5f), m_gain_output[15], 1e-4f);

    m_manager.remove_entry(combinator, 0);
    EXPECT_FALSE(m_value->is_modulated());
    EXPECT_EQ(-1, m_value->m_modulated_index);
    const Bex::Vector<Modulatee*>& modulated = m_manager.get_modulated_targets();
    ASSERT_EQ(2u, modulated.size());
    for (uint32_t i = 0; i < modulated.size(); ++i)
        EXPECT_EQ(int32_t(i), modulated[i]->m_modulated_index);
    run();
    for (float value : m_value_output)
        EXPECT_FLOAT_EQ(0.8f, value);
    EXPECT_FLOAT_EQ(0.75f, m_other_output[0]);
    EXPECT_EQ(u"a_index < Base::size()",
              exception_text([&] { m_manager.remove_entry(combinator, 2); }));
    m_manager.remove_entry(combinator, 1);
    EXPECT_TRUE(m_manager.get_modulated_targets().size() == 1);
}

TEST_F(ModulationModelTest, InvertSwapsTheSignalOnCommitWithoutARebuild)
{
    CombinatorModulator* combinator = add_combinator(0.75f);
    ModifyingModulatorEntry* entry = add_entry(combinator, m_other, 5, 1.0f); // "Around"
    run();
    EXPECT_FLOAT_EQ(0.5f, m_other_output[0]);
    const Bex::Vector<Modulatee*> before = m_manager.get_modulated_targets();
    entry->get_invert_parameter()->set_value(true);
    run();
    EXPECT_FLOAT_EQ(0.0f, m_other_output[0]);
    entry->get_location_parameter()->set_normalized_value(0.0f); // "Above", flipped: down
    run();
    EXPECT_FLOAT_EQ(0.5f, m_other_output[0]);
    EXPECT_EQ(before, m_manager.get_modulated_targets());
}

TEST_F(ModulationModelTest, DisabledEntriesAndModulatorsLeaveTheChain)
{
    CombinatorModulator* combinator = add_combinator(1.0f);
    ModifyingModulatorEntry* entry = add_entry(combinator, m_other, 1, 0.5f);
    entry->get_enabled_parameter()->set_value(false);
    EXPECT_FALSE(m_other->is_modulated());
    entry->get_enabled_parameter()->set_value(true);
    EXPECT_TRUE(m_other->is_modulated());
    combinator->get_enabled_parameter()->set_value(false);
    EXPECT_FALSE(m_other->is_modulated());
    EXPECT_TRUE(m_manager.get_enabled_modulators().empty());
    run();
    EXPECT_FLOAT_EQ(0.25f, m_other_output[0]);
}

TEST_F(ModulationModelTest, AModulatedParameterStillGlides)
{
    m_device.set_ready_for_processing(true);
    m_device.set_smoothing_coefficient(1.0f / 64.0f);
    CombinatorModulator* combinator = add_combinator(0.0f);
    add_entry(combinator, m_other, 1, 1.0f);
    run();
    EXPECT_FLOAT_EQ(0.25f, m_other_output[15]);
    m_other->set_external_value(0.75f); // an editor change, smoothed
    run();
    // 1/64 per sample: after 16 samples a quarter of the way.
    EXPECT_FLOAT_EQ(0.25f + 1.0f / 64.0f, m_other_output[0]);
    EXPECT_FLOAT_EQ(0.5f, m_other_output[15]);
    for (int i = 0; i < 4; ++i)
        run();
    EXPECT_FLOAT_EQ(0.75f, m_other_output[15]);
}

TEST_F(ModulationModelTest, LimitsRefuseBeforeAnythingChanges)
{
    m_device.m_static_config.m_maximum_entries_per_modulator = 2;
    for (int i = 0; i < 50; ++i)
        add_modulator<CombinatorModulator>();
    const uint32_t registered = uint32_t(m_device.get_parameters().size());
    EXPECT_EQ(u"Too many modulators.",
              exception_text([&] { add_modulator<CombinatorModulator>(); }));
    EXPECT_THROW(add_modulator<CombinatorModulator>(), ModulationExceptions::TooManyModulators);
    EXPECT_EQ(50u, m_manager.get_modulator_count());
    EXPECT_EQ(registered, m_device.get_parameters().size());

    Modulator* modulator = m_manager.get_modulator(0);
    m_manager.add_entry(modulator, 0);
    m_manager.add_entry(modulator, 0);
    EXPECT_EQ(u"Too many entries.", exception_text([&] { m_manager.add_entry(modulator, 0); }));
    EXPECT_EQ(2u, modulator->get_entries().size());
}

TEST_F(ModulationModelTest, StructuralChangesAreAnnouncedAndRenumber)
{
    EventLog log;
    m_manager.m_modulator_event.connect(&log, &EventLog::on_modulator);
    m_manager.m_entry_event.connect(&log, &EventLog::on_entry);
    m_manager.m_on_modulator_moved.connect(&log, &EventLog::on_moved);
    m_manager.m_on_cleared.connect(&log, &EventLog::on_cleared);

    Modulator* in_note = add_modulator<CombinatorModulator>(ProcessingStage_IN_NOTE);
    Modulator* pre_note = add_modulator<CombinatorModulator>(ProcessingStage_PRE_NOTE);
    // The overall order is stage order: the "Pre-note" modulator moved ahead.
    EXPECT_EQ(0, pre_note->get_index());
    EXPECT_EQ(1, in_note->get_index());
    m_manager.add_entry(in_note, 0);
    m_manager.remove_modulator(1);
    EXPECT_EQ("M+movedM+E+E-M-", log.m_log);
    log.m_log.clear();
    m_manager.clear();
    EXPECT_EQ("M-cleared", log.m_log);
}

TEST_F(ModulationModelTest, RemovingAModulatorReleasesEntriesAimedAtItsParameters)
{
    CombinatorModulator* source = add_combinator(1.0f);
    CombinatorModulator* target = add_combinator(0.25f);
    ModifyingModulatorEntry* on_x = add_entry(source, target->get_x_parameter(), 1, 0.5f);
    add_entry(target, m_other, 1, 1.0f);
    EXPECT_TRUE(target->get_x_parameter()->is_modulated());
    run();
    // X = 0.25 + 0.5 drives the second entry.
    EXPECT_FLOAT_EQ(0.25f + 0.75f, m_other_output[0]);
    m_manager.remove_modulator(uint32_t(target->get_index()));
    EXPECT_EQ(nullptr, on_x->get_target());
    EXPECT_FALSE(on_x->is_active());
    EXPECT_FALSE(m_other->is_modulated());
    EXPECT_EQ(0u, m_manager.get_modulated_targets().size());
    run();
}

TEST_F(ModulationModelTest, OnlyModulatableParametersCanBeTargets)
{
    CombinatorModulator* combinator = add_combinator(1.0f);
    auto* entry = static_cast<ModifyingModulatorEntry*>(m_manager.add_entry(combinator, 0));
    FloatParameter* amount = combinator->get_amount_parameter();
    EXPECT_EQ(u"Assigned parameter cannot be modulated.",
              exception_text([&] { entry->get_modulatee_parameter()->set_target(amount); }));
    EXPECT_EQ(nullptr, entry->get_target());
    Bex::String text;
    entry->get_modulatee_parameter()->get_display_text(text);
    EXPECT_EQ(u"<not selected>", text);
    entry->get_modulatee_parameter()->set_target(combinator->get_x_parameter());
    entry->get_modulatee_parameter()->get_display_text(text);
    EXPECT_EQ(u"(no name)/X", text);
}

TEST_F(ModulationModelTest, TheParameterWalkVisitsModulatorsAndTheirEntries)
{
    struct Recorder : ParameterIteratorListener
    {
        void begin_modulator(Modulator*) override { m_log += "M("; }
        void end_modulator_parameters(Modulator*) override { m_log += ")"; }
        void begin_entry(ModulatorEntry*) override { m_log += "E("; }
        void end_entry(ModulatorEntry*) override { m_log += ")"; }
        void parameter(Parameter* a_parameter) override
        {
            m_log += Bex::BiniNode::id_to_string(a_parameter->get_id()).to_utf8() + " ";
        }
        std::string m_log;
    };
    CombinatorModulator* first = add_combinator(0.5f);
    add_combinator(0.5f);
    m_manager.add_entry(first, 0);
    Recorder recorder;
    ParameterIterator(&m_device, nullptr, &recorder, ParameterIteratorScope_MODULATORS,
                      ParameterIteratorFilter_MODULATABLE)
        .walk();
    EXPECT_EQ("M(X    )E(MoAm )M(X    )", recorder.m_log);
    recorder.m_log.clear();
    ParameterIterator(&m_device, nullptr, &recorder, ParameterIteratorScope_MODULATORS, 0, 1)
        .walk();
    EXPECT_EQ("M(Enab Name Amnt X    )", recorder.m_log);
}
