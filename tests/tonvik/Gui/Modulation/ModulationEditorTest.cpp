#include "ModulationEditorTestSupport.h"

#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/ComboBox.h"
#include "tonvik/Gui/GuiClassKeeper.h"
#include "tonvik/Gui/Modulation/AssignmentEditorPanel.h"
#include "tonvik/Gui/Modulation/EntryListEntryIndexText.h"
#include "tonvik/Gui/Modulation/EntryListGridLayout.h"
#include "tonvik/Gui/Modulation/EntryTargetChoice.h"
#include "tonvik/Gui/Modulation/LfoModulatorGui.h"
#include "tonvik/Gui/Modulation/ModulatorEntryGui.h"
#include "tonvik/Gui/Modulation/ModulatorEntryListWindow.h"
#include "tonvik/Gui/Modulation/ModulatorListItem.h"
#include "tonvik/Gui/Modulation/ModulatorPanelContents.h"
#include "tonvik/Gui/Modulation/ModulatorTitleBar.h"
#include "tonvik/Gui/Modulation/ModulatorTitleBarCommandButton.h"
#include "tonvik/Gui/Modulation/ModulatorTitleEntry.h"
#include "tonvik/Gui/Modulation/XyModulatorGui.h"
#include "tonvik/Gui/ParameterChoice.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/Modulation/XyModulator.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/Parameter_String.h"

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

class ModulationEditorTest : public ModulationEditorFixture
{
protected:
    Modulator* add(uint32_t a_type, uint32_t a_stage = ProcessingStage_PRE_NOTE)
    {
        std::unique_ptr<Modulator> modulator;
        if (a_type == ModulatorType_LFO)
            modulator = std::make_unique<LfoModulator>(&manager());
        else
            modulator = std::make_unique<XyModulator>(&manager());
        Modulator* added = manager().add_modulator(std::move(modulator), a_stage);
        m_desktop.settle();
        return added;
    }

    ModulatorEntryListWindow& entry_list() { return panel().get_entry_list(); }

    // The entries' order as the rows show it, checked against the numbers in the rows.
    std::vector<ModulatorEntry*> rows()
    {
        std::vector<ModulatorEntry*> found;
        ModulatorEntryListWindow& list = entry_list();
        for (size_t row = 0; row < list.get_row_count(); ++row)
        {
            EXPECT_EQ(list.get_index_text(row).get_text(), Bex::String::from_number(row + 1));
            EXPECT_EQ(list.get_entry_gui(row).get_entry(), list.get_index_text(row).get_entry());
            found.push_back(list.get_entry_gui(row).get_entry());
        }
        return found;
    }

    bool entry_command(size_t a_row, const char16_t* a_command)
    {
        return choose_path(entry_list().get_index_text(a_row), {a_command});
    }

    std::vector<ModulatorEntry*> entries(Modulator* a_modulator)
    {
        return {a_modulator->get_entries().begin(), a_modulator->get_entries().end()};
    }

    std::vector<Modulator*> listed()
    {
        std::vector<Modulator*> found;
        for (size_t i = 0; i < m_editor->get_list().get_item_count(); ++i)
            found.push_back(m_editor->get_list().get_item(i).get_modulator());
        return found;
    }

    std::vector<Modulator*> stage(uint32_t a_stage)
    {
        const auto& list = manager().get_stage_modulators(a_stage);
        return {list.begin(), list.end()};
    }
};

std::vector<std::u16string> labels(const ModifyingModulatorGui& a_gui)
{
    return {a_gui.get_row_labels().begin(), a_gui.get_row_labels().end()};
}

} // namespace

TEST_F(ModulationEditorTest, AppendAndPrependCreateTheChosenTypeInTheShownStage)
{
    EXPECT_EQ(m_editor->get_panel(), nullptr);
    ASSERT_TRUE(run_main({u"Append", u"LFO"}));
    ASSERT_EQ(manager().get_modulator_count(), 1u);
    Modulator* lfo = manager().get_modulator(0);
    EXPECT_EQ(lfo->get_type_number(), ModulatorType_LFO);
    EXPECT_EQ(lfo->get_stage(), ProcessingStage_PRE_NOTE);
    EXPECT_EQ(listed(), std::vector<Modulator*>{lfo});
    EXPECT_EQ(m_editor->get_selected_modulator(), lfo);
    auto* lfo_gui = dynamic_cast<LfoModulatorGui*>(&panel().get_contents().get_type_gui());
    ASSERT_NE(lfo_gui, nullptr);
    EXPECT_EQ(labels(*lfo_gui),
              (std::vector<std::u16string>{u"Amount:", u"Waveform:", u"Frequency base:", u"Phase:",
                                           u"Frequency factor:", u"Pwm:", u"Smoothing:",
                                           u"Smoothness:", u"Retrigger key:"}));
    ASSERT_NE(entry_list().get_empty_label(), nullptr);
    EXPECT_EQ(entry_list().get_empty_label()->get_text(), u"No targets.");
    EXPECT_EQ(entry_list().get_grid(), nullptr);

    ASSERT_TRUE(run_main({u"Append", u"XY"}));
    ASSERT_TRUE(run_main({u"Prepend", u"XY"}));
    const std::vector<Modulator*> order = stage(ProcessingStage_PRE_NOTE);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0]->get_type_number(), ModulatorType_XY);
    EXPECT_EQ(order[1], lfo);
    EXPECT_EQ(order[2]->get_type_number(), ModulatorType_XY);
    EXPECT_EQ(listed(), order);
    // The new one is selected and shown, wherever it went.
    EXPECT_EQ(m_editor->get_selected_modulator(), order[0]);
    auto* xy_gui = dynamic_cast<XyModulatorGui*>(&panel().get_contents().get_type_gui());
    ASSERT_NE(xy_gui, nullptr);
    for (const char16_t* label : {u"Amount:", u"Smoothing:", u"Smoothness:"})
        EXPECT_NE(xy_gui->find_editor(label), nullptr) << Bex::String(label).to_utf8();

    // The main menu offers no other type.
    click_on(m_editor->get_menu_button());
    ASSERT_TRUE(choose(u"Append"));
    Kiv::PopupMenu* submenu = top_menu();
    ASSERT_NE(submenu, nullptr);
    ASSERT_EQ(submenu->get_menu_item().children.size(), 2u);
    EXPECT_EQ(submenu->get_menu_item().children[0]->text, u"XY");
    EXPECT_EQ(submenu->get_menu_item().children[1]->text, u"LFO");
}

TEST_F(ModulationEditorTest, AddTargetAppendsAnEntryWhoseTargetIsChosenFromTheDevice)
{
    Modulator* lfo = add(ModulatorType_LFO);
    panel().set_targets_shown(false);
    click_on(panel().get_title_bar().get_add_target_button());
    ASSERT_EQ(lfo->get_entries().size(), 1u);
    EXPECT_TRUE(panel().are_targets_shown());
    EntryListGridLayout* grid = entry_list().get_grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(std::vector<std::u16string>(grid->get_columns().begin(), grid->get_columns().end()),
              (std::vector<std::u16string>{u"#", u"On", u"Target", u"Location", u"Range", u"Invert",
                                           u"Phase group", u"Phase"}));
    EXPECT_EQ(TonvikTest::exception_text([&] { grid->find_column(u"Depth"); }),
              u"Column not found");

    EntryTargetChoice* target = entry_list().get_entry_gui(0).get_target_choice();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->get_shown_text(), EntryTargetChoice::g_no_target_text);
    // Its own modulator's parameters are not offered: an entry drives only what runs after it.
    for (const auto& item : target->get_items().children)
        EXPECT_NE(item->text, lfo->get_name());
    ASSERT_TRUE(choose_path(*target, {u"Voices", u"Pitch modulation 1"}));
    ModulatorEntry* entry = lfo->get_entries()[0];
    EXPECT_EQ(entry->get_target(), static_cast<Modulatee*>(m_device.m_pitch));
    EXPECT_EQ(entry_list().get_entry_gui(0).get_target_choice()->get_shown_text(),
              u"Pitch modulation 1");
    EXPECT_TRUE(m_device.m_pitch->is_modulated());

    // Back to none through the first item.
    ASSERT_TRUE(choose_path(*entry_list().get_entry_gui(0).get_target_choice(),
                            {EntryTargetChoice::g_no_target_text}));
    EXPECT_EQ(entry->get_target(), nullptr);
}

TEST_F(ModulationEditorTest, EntryMenuMovesInsertsAndRemovesAndRowsAreRenumbered)
{
    Modulator* lfo = add(ModulatorType_LFO);
    for (int i = 0; i < 3; ++i)
        click_on(panel().get_title_bar().get_add_target_button());
    const std::vector<ModulatorEntry*> original = entries(lfo);
    ASSERT_EQ(original.size(), 3u);
    EXPECT_EQ(rows(), original);
    ModulatorEntry* a = original[0];
    ModulatorEntry* b = original[1];
    ModulatorEntry* c = original[2];

    // The ends stay where they are.
    ASSERT_TRUE(entry_command(0, u"Move up"));
    ASSERT_TRUE(entry_command(2, u"Move down"));
    ASSERT_TRUE(entry_command(0, u"Move to top"));
    ASSERT_TRUE(entry_command(2, u"Move to bottom"));
    EXPECT_EQ(entries(lfo), original);

    ASSERT_TRUE(entry_command(0, u"Move down"));
    EXPECT_EQ(entries(lfo), (std::vector<ModulatorEntry*>{b, a, c}));
    EXPECT_EQ(rows(), entries(lfo));
    ASSERT_TRUE(entry_command(2, u"Move up"));
    EXPECT_EQ(entries(lfo), (std::vector<ModulatorEntry*>{b, c, a}));
    ASSERT_TRUE(entry_command(2, u"Move to top"));
    EXPECT_EQ(entries(lfo), (std::vector<ModulatorEntry*>{a, b, c}));
    ASSERT_TRUE(entry_command(0, u"Move to bottom"));
    EXPECT_EQ(entries(lfo), (std::vector<ModulatorEntry*>{b, c, a}));
    EXPECT_EQ(rows(), entries(lfo));

    ASSERT_TRUE(entry_command(1, u"Insert before"));
    ASSERT_EQ(lfo->get_entries().size(), 4u);
    ModulatorEntry* d = lfo->get_entries()[1];
    EXPECT_EQ(entries(lfo), (std::vector<ModulatorEntry*>{b, d, c, a}));
    EXPECT_EQ(rows(), entries(lfo));

    // The entry limit of the device is four: a fifth is refused with a message.
    ASSERT_TRUE(entry_command(3, u"Insert after"));
    EXPECT_EQ(lfo->get_entries().size(), 4u);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->get_title(), u"Error");
    EXPECT_EQ(dialog()->get_text(), u"Too many entries.");
    click_on(*dialog()->get_button(Kiv::MessageDialogResult_OK));

    ASSERT_TRUE(entry_command(1, u"Remove"));
    EXPECT_EQ(entries(lfo), (std::vector<ModulatorEntry*>{b, c, a}));
    EXPECT_EQ(rows(), entries(lfo));
    ASSERT_TRUE(entry_command(2, u"Insert after"));
    EXPECT_EQ(lfo->get_entries().size(), 4u);
    EXPECT_EQ(lfo->get_entries()[3]->get_index(), 3);
    EXPECT_EQ(rows(), entries(lfo));
}

TEST_F(ModulationEditorTest, ModulatorMenuRenamesMovesWithinTheStageAndRemoves)
{
    Modulator* first = add(ModulatorType_LFO);
    Modulator* second = add(ModulatorType_XY);
    Modulator* other_stage = add(ModulatorType_LFO, ProcessingStage_POST_NOTE);
    m_editor->select_modulator(first);
    m_desktop.settle();
    ASSERT_EQ(panel().get_modulator(), first);

    // The first cannot go up, the last of its stage cannot go down.
    ASSERT_TRUE(choose_path(panel().get_title_bar().get_menu_button(), {u"Move up"}));
    m_editor->select_modulator(second);
    ASSERT_TRUE(choose_path(panel().get_title_bar().get_menu_button(), {u"Move down"}));
    EXPECT_EQ(stage(ProcessingStage_PRE_NOTE), (std::vector<Modulator*>{first, second}));
    EXPECT_EQ(stage(ProcessingStage_POST_NOTE), std::vector<Modulator*>{other_stage});
    ASSERT_TRUE(choose_path(panel().get_title_bar().get_menu_button(), {u"Move up"}));
    EXPECT_EQ(stage(ProcessingStage_PRE_NOTE), (std::vector<Modulator*>{second, first}));
    EXPECT_EQ(listed(), stage(ProcessingStage_PRE_NOTE));
    EXPECT_EQ(m_editor->get_selected_modulator(), second);

    ASSERT_TRUE(choose_path(panel().get_title_bar().get_menu_button(), {u"Rename"}));
    ModulatorTitleEntry& title = panel().get_title_bar().get_title_entry();
    EXPECT_TRUE(title.has_focus());
    m_desktop.type(u"Sweep");
    m_desktop.key_down(Kiv::KeyCode_RETURN);
    m_desktop.settle();
    EXPECT_EQ(second->get_name(), u"Sweep");
    EXPECT_EQ(m_editor->get_list().get_item(0).get_text(), u"1: XY - Sweep");

    // Removing gives up the modulator's slot assignments.
    AssignableSlots& slots = *m_device.get_assignable_slots();
    slots.assign(2, static_cast<XyModulator*>(second)->get_x_parameter());
    ASSERT_NE(slots.get_assigned(2), nullptr);
    ASSERT_TRUE(choose_path(panel().get_title_bar().get_menu_button(), {u"Remove"}));
    EXPECT_EQ(slots.get_assigned(2), nullptr);
    EXPECT_EQ(stage(ProcessingStage_PRE_NOTE), std::vector<Modulator*>{first});
    EXPECT_EQ(listed(), std::vector<Modulator*>{first});
    EXPECT_EQ(m_editor->get_selected_modulator(), first);
    EXPECT_EQ(panel().get_modulator(), first);
}

TEST_F(ModulationEditorTest, ClearModulationAsksAndOnlyYesClears)
{
    add(ModulatorType_LFO);
    add(ModulatorType_XY);
    ASSERT_TRUE(run_main({u"Clear modulation"}));
    Kiv::MessageDialog* question = dialog();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->get_title(), u"Clear modulation");
    EXPECT_EQ(question->get_text(), u"Clear modulation?");
    click_on(*question->get_button(Kiv::MessageDialogResult_NO));
    EXPECT_EQ(manager().get_modulator_count(), 2u);
    EXPECT_EQ(m_editor->get_list().get_item_count(), 2u);
    EXPECT_EQ(m_editor->get_question(), nullptr);

    ASSERT_TRUE(run_main({u"Clear modulation"}));
    ASSERT_NE(dialog(), nullptr);
    click_on(*dialog()->get_button(Kiv::MessageDialogResult_YES));
    EXPECT_EQ(manager().get_modulator_count(), 0u);
    EXPECT_EQ(m_editor->get_list().get_item_count(), 0u);
    EXPECT_EQ(m_editor->get_panel(), nullptr);
}

TEST_F(ModulationEditorTest, AModulatorBeyondTheLimitShowsTheErrorAndChangesNothing)
{
    for (int i = 0; i < 3; ++i)
        add(ModulatorType_LFO);
    const std::vector<Modulator*> before = listed();
    ASSERT_EQ(before.size(), 3u);
    ASSERT_TRUE(run_main({u"Append", u"XY"}));
    Kiv::MessageDialog* error = dialog();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->get_title(), u"Error");
    EXPECT_EQ(error->get_text(), u"Too many modulators.");
    EXPECT_EQ(manager().get_modulator_count(), 3u);
    EXPECT_EQ(listed(), before);
    click_on(*error->get_button(Kiv::MessageDialogResult_OK));
    EXPECT_EQ(dialog(), nullptr);
    ASSERT_TRUE(run_main({u"Prepend", u"LFO"}));
    EXPECT_EQ(manager().get_modulator_count(), 3u);
    EXPECT_EQ(listed(), before);
}

TEST_F(ModulationEditorTest, TheStageChoiceShowsOnlyThatStageAndAppendsThere)
{
    Modulator* pre = add(ModulatorType_LFO);
    Modulator* in = add(ModulatorType_XY, ProcessingStage_IN_NOTE);
    EXPECT_EQ(listed(), std::vector<Modulator*>{pre});
    ASSERT_TRUE(choose_path(m_editor->get_stage_choice(), {u"Post-note"}));
    EXPECT_EQ(m_editor->get_stage(), ProcessingStage_POST_NOTE);
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(m_editor->get_panel(), nullptr);

    ASSERT_TRUE(run_main({u"Append", u"XY"}));
    const std::vector<Modulator*> post = stage(ProcessingStage_POST_NOTE);
    ASSERT_EQ(post.size(), 1u);
    EXPECT_EQ(post[0]->get_type_number(), ModulatorType_XY);
    EXPECT_EQ(listed(), post);
    EXPECT_EQ(panel().get_modulator(), post[0]);
    // Changes in other stages leave the list alone.
    manager().remove_modulator(uint32_t(pre->get_index()));
    m_desktop.settle();
    EXPECT_EQ(listed(), post);
    EXPECT_EQ(panel().get_modulator(), post[0]);

    ASSERT_TRUE(choose_path(m_editor->get_stage_choice(), {u"In-note"}));
    EXPECT_EQ(listed(), std::vector<Modulator*>{in});
    EXPECT_EQ(panel().get_modulator(), in);
}

TEST_F(ModulationEditorTest, TheAssignmentWindowEditsTheSixteenSlots)
{
    Modulator* lfo = add(ModulatorType_LFO);
    ASSERT_TRUE(run_main({u"Edit assignments..."}));
    auto shown = windows<Kiv::NormalWindow>();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->get_title(), u"Parameter assignments");
    AssignmentEditorPanel* assignments = m_editor->get_assignment_panel();
    ASSERT_NE(assignments, nullptr);
    EXPECT_EQ(shown[0]->get_contents(), assignments);
    ASSERT_EQ(assignments->get_slot_count(), 16u);

    ParameterChoice& slot = assignments->get_choice(4);
    ASSERT_TRUE(choose_path(slot, {lfo->get_name().c_str(), u"Amount"}));
    AssignableSlots& slots = *m_device.get_assignable_slots();
    ASSERT_NE(slots.get_assigned(4), nullptr);
    EXPECT_EQ(slots.get_assigned(4), static_cast<LfoModulator*>(lfo)->get_amount_parameter());

    // A modulator added later is offered at once.
    Modulator* xy = add(ModulatorType_XY);
    bool offered = false;
    for (const auto& item : assignments->get_choice(0).get_items().children)
        offered = offered || item->text == xy->get_name();
    EXPECT_TRUE(offered);

    shown[0]->close();
    m_desktop.settle();
    EXPECT_EQ(m_editor->get_assignment_panel(), nullptr);
    EXPECT_EQ(slots.get_assigned(4), static_cast<LfoModulator*>(lfo)->get_amount_parameter());
}

TEST_F(ModulationEditorTest, ChangesMadeElsewhereReachTheListAndTheRows)
{
    Modulator* lfo = add(ModulatorType_LFO);
    manager().add_entry(lfo, 0);
    manager().add_entry(lfo, 0);
    m_desktop.settle();
    EXPECT_EQ(rows(), entries(lfo));
    manager().move_entry(lfo, 0, 1);
    EXPECT_EQ(rows(), entries(lfo));
    manager().remove_entry(lfo, 0);
    EXPECT_EQ(rows(), entries(lfo));
    manager().remove_modulator(0);
    m_desktop.settle();
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(m_editor->get_panel(), nullptr);

    // A disabled modulator's text takes the other colour.
    Modulator* xy = add(ModulatorType_XY);
    ModulatorListItem& item = m_editor->get_list().get_item(0);
    const Kiv::Color enabled = item.get_shown_color();
    xy->get_enabled_parameter()->set_normalized_value(0.0f);
    m_device.flush_changes();
    ASSERT_FALSE(xy->is_enabled());
    EXPECT_NE(item.get_shown_color(), enabled);
}

// The shipped sheet's modulation sections use the properties that the framework's managers
// declare, with values of the declared types.
TEST(ShippedStyleSheetModulation, ParsesWithTheFrameworksProperties)
{
    frame_application();
    keep_gui_classes();
    const Bex::String text =
        Kiv::read_style_sheet_file(Bex::String::from_utf8(TONVIK_SHIPPED_STYLE_SHEET));
    ASSERT_FALSE(text.empty());
    std::vector<std::string> errors;
    std::unique_ptr<Kiv::StyleSheet> sheet;
    try
    {
        sheet = Kiv::parse_style_sheet(
            text, Kiv::StyleRegistry::get_global(),
            [&errors](uint32_t a_line, uint32_t, const Bex::String& a_message)
            { errors.push_back(std::to_string(a_line) + ": " + a_message.to_utf8()); });
    }
    catch (const Bex::Exception& failure)
    {
        errors.push_back(failure.get_message().to_utf8());
    }
    EXPECT_NE(sheet, nullptr);
    EXPECT_EQ(errors, std::vector<std::string>{});
}
