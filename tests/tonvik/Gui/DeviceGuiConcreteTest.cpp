#include "../../kiv/Support/ScriptedNativeDialogs.h"
#include "FrameTestSupport.h"

#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/Entry.h"
#include "kiv/Widgets/Text.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Windows/FileDialog.h"
#include "tonvik/Gui/DeviceGuiCriticalError.h"
#include "tonvik/Gui/DeviceGuiParameterDisplay.h"
#include "tonvik/Gui/DeviceGuiProgramDisplay.h"
#include "tonvik/Gui/GuiClassKeeper.h"
#include "tonvik/Gui/PresetArrowButton.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/TestModulator.h"
#include "tonvik/Parameters/ParameterCollection.h"

#include <sstream>

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

class PresetBarTest : public FrameFixture
{
protected:
    Bex::String current_name()
    {
        const Preset* preset = manager().get_current_preset();
        return preset ? preset->get_name() : Bex::String(u"<none>");
    }
    void open(const std::string& a_relative)
    {
        manager().open_preset(to_text(preset_folder() / (a_relative + ".preset")));
    }
};

} // namespace

TEST_F(PresetBarTest, PreviousAndNextWrapAroundTheFlatListAndNeedACurrentPreset)
{
    write_presets();
    open_editor();
    // Without a current preset neither button loads anything.
    click_on(panel().get_next_button());
    click_on(panel().get_previous_button());
    EXPECT_EQ(level(), 8.0f);
    EXPECT_EQ(manager().get_current_preset(), nullptr);

    open("Beta");
    click_on(panel().get_next_button());
    EXPECT_EQ(current_name(), u"Deep");
    EXPECT_EQ(level(), 1.0f);
    click_on(panel().get_previous_button());
    EXPECT_EQ(current_name(), u"Beta");
    EXPECT_EQ(level(), 5.0f);
    click_on(panel().get_previous_button());
    EXPECT_EQ(current_name(), u"Alpha");
    // The chooser follows: the loaded preset is the checked one.
    const Kiv::MenuItem* shown = panel().get_program_display().get_current();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text, u"Alpha");
    EXPECT_TRUE(shown->checked);
}

TEST_F(PresetBarTest, AnEmptyFolderOffersOneItemThatDoesNothing)
{
    open_editor();
    DeviceGuiProgramDisplay& chooser = panel().get_program_display();
    Kiv::MenuItem& items = chooser.get_items();
    ASSERT_EQ(items.children.size(), 1u);
    EXPECT_EQ(items.children[0]->text, u"<No presets found>");
    EXPECT_EQ(items.children[0]->data, 0u);
    const Bex::String path_before = manager().get_current_path();
    click_on(chooser);
    ASSERT_NE(chooser.get_menu(), nullptr);
    click_row(*chooser.get_menu(), 0);
    EXPECT_EQ(manager().get_current_path(), path_before);
    EXPECT_EQ(level(), 8.0f);
    EXPECT_TRUE(windows<Kiv::MessageDialog>().empty());
}

TEST_F(PresetBarTest, ChoosingInTheChooserLoadsThePresetAndChecksItAndItsFolder)
{
    write_presets();
    open_editor();
    DeviceGuiProgramDisplay& chooser = panel().get_program_display();
    ASSERT_EQ(chooser.get_items().children.size(), 4u);
    EXPECT_EQ(chooser.get_items().children[0]->text, u"Bass");
    EXPECT_EQ(chooser.get_items().children[3]->text, u"Beta");

    click_on(chooser);
    ASSERT_NE(chooser.get_menu(), nullptr);
    click_row(*chooser.get_menu(), 0);
    Kiv::PopupMenu* submenu = chooser.get_menu()->get_submenu();
    ASSERT_NE(submenu, nullptr);
    click_row(*submenu, 1);

    EXPECT_EQ(current_name(), u"Low");
    EXPECT_EQ(level(), 2.0f);
    const Kiv::MenuItem& bass = *chooser.get_items().children[0];
    EXPECT_TRUE(bass.checked);
    EXPECT_FALSE(bass.children[0]->checked);
    EXPECT_TRUE(bass.children[1]->checked);
    EXPECT_FALSE(chooser.get_items().children[1]->checked);
    EXPECT_EQ(chooser.get_current(), bass.children[1].get());
}

TEST_F(PresetBarTest, AFailingLoadShowsTheErrorAndKeepsTheDevice)
{
    write_presets();
    std::ofstream(preset_folder() / "Broken.preset") << "not a preset";
    manager().scan();
    open("Alpha");
    open_editor();
    DeviceGuiProgramDisplay& chooser = panel().get_program_display();
    // Folders, then Alpha, Beta, Broken.
    click_on(chooser);
    ASSERT_NE(chooser.get_menu(), nullptr);
    click_row(*chooser.get_menu(), 4);

    const auto dialogs = windows<Kiv::MessageDialog>();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0]->get_title(), u"Error");
    EXPECT_FALSE(dialogs[0]->get_text().empty());
    EXPECT_EQ(level(), 4.0f);
    EXPECT_EQ(current_name(), u"Alpha");
    EXPECT_EQ(chooser.get_current()->text, u"Alpha");
}

TEST_F(PresetBarTest, ClearingAsksFirstAndOnlyYesResetsParametersAndModulation)
{
    open_editor();
    ModulationManager& modulation = *m_device.get_modulation();
    modulation.add_modulator(std::make_unique<TestModulator>(&modulation));
    m_device.m_steps->set_value(42);
    m_device.flush_changes();
    const size_t clear_row = 6;

    run_panel_command(clear_row);
    auto questions = windows<Kiv::MessageDialog>();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0]->get_title(), u"Clear preset");
    EXPECT_EQ(questions[0]->get_text(), u"Do you want to clear current preset?");
    click_on(*questions[0]->get_button(Kiv::MessageDialogResult_NO));
    EXPECT_EQ(level(), 8.0f);
    EXPECT_EQ(m_device.m_steps_value, 42);
    EXPECT_EQ(modulation.get_modulator_count(), 1u);

    m_device.m_level->set_external_value(2.0f);
    m_device.flush_changes();
    run_panel_command(clear_row);
    questions = windows<Kiv::MessageDialog>();
    ASSERT_EQ(questions.size(), 1u);
    click_on(*questions[0]->get_button(Kiv::MessageDialogResult_YES));
    EXPECT_EQ(level(), 8.0f);
    EXPECT_EQ(m_device.m_steps_value, 3);
    EXPECT_EQ(modulation.get_modulator_count(), 0u);
}

TEST_F(PresetBarTest, ThePlatformsOwnMenuQuestionAndFileDialogWorkAsTheToolkitsDo)
{
    KivTest::ScriptedNativeDialogs boxes;
    m_desktop.get_window_backend().set_native_dialogs(&boxes);
    open_editor();
    m_device.m_steps->set_value(42);
    m_device.flush_changes();

    boxes.menu_choice = Tonvik::PanelCommand_CLEAR_PRESET;
    boxes.message_answer = Kiv::MessageDialogResult_NO;
    click_on(panel().get_menu_button());
    EXPECT_EQ(boxes.log, "menu:Load preset... message:Do you want to clear current preset? ");
    EXPECT_EQ(m_device.m_steps_value, 42);
    EXPECT_EQ(panel().get_menu(), nullptr);

    boxes.message_answer = Kiv::MessageDialogResult_YES;
    click_on(panel().get_menu_button());
    EXPECT_EQ(m_device.m_steps_value, 3);

    boxes.menu_choice = Tonvik::PanelCommand_SAVE_PRESET;
    boxes.file_path = to_text(preset_folder() / "Wide.preset");
    click_on(panel().get_menu_button());
    EXPECT_TRUE(fs::exists(preset_folder() / "Wide.preset"));
    EXPECT_EQ(current_name(), u"Wide");
    EXPECT_TRUE(windows<Kiv::MessageDialog>().empty());
    m_desktop.get_window_backend().set_native_dialogs(nullptr);
}

TEST_F(PresetBarTest, SavingWithoutACurrentPresetProposesNoNameInThePresetFolder)
{
    open_editor();
    run_panel_command(1);
    const auto dialogs = windows<Kiv::FileDialog>();
    ASSERT_EQ(dialogs.size(), 1u);
    Kiv::FileDialog& dialog = *dialogs[0];
    EXPECT_EQ(native_path(dialog.get_folder()), preset_folder());
    EXPECT_EQ(dialog.get_name_entry().get_text(), u"No name");
    click_on(dialog.get_accept_button());

    EXPECT_TRUE(fs::exists(preset_folder() / "No name.preset"));
    EXPECT_EQ(current_name(), u"No name");
    EXPECT_EQ(panel().get_program_display().get_current()->text, u"No name");
}

TEST_F(PresetBarTest, CancellingTheLoadDialogChangesNothing)
{
    write_presets();
    open("Alpha");
    open_editor();
    run_panel_command(0);
    const auto dialogs = windows<Kiv::FileDialog>();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(native_path(dialogs[0]->get_folder()), preset_folder());
    click_on(dialogs[0]->get_cancel_button());
    EXPECT_EQ(level(), 4.0f);
    EXPECT_EQ(current_name(), u"Alpha");
    EXPECT_TRUE(windows<Kiv::MessageDialog>().empty());
}

TEST_F(PresetBarTest, RefreshFindsNewPresetsAndKeepsTheCurrentOne)
{
    write_presets();
    open("Pads/Soft");
    open_editor();
    std::ofstream(preset_folder() / "Gamma.preset") << "x";
    run_panel_command(2);
    EXPECT_EQ(manager().get_flat_list().size(), 6u);
    EXPECT_EQ(current_name(), u"Soft");
    EXPECT_EQ(panel().get_program_display().get_items().children.size(), 5u);
}

TEST_F(PresetBarTest, TheHoveredEditorShowsItsHintAndLeavingClearsIt)
{
    open_editor();
    auto* editor = new ProbeEditor(*m_gui, m_device.m_level, true);
    m_gui->add(editor);
    m_gui->get_parameter_display().set_text(u"stale");
    m_desktop.settle();

    const Kiv::Point corner = editor->get_desktop_position();
    m_desktop.move({corner.x + 2, corner.y + 2});
    EXPECT_EQ(m_gui->get_hovered_editor(), editor);
    // The line shows the parameter's name and value in place of what it showed before.
    Bex::String expected;
    m_device.m_level->get_name_and_value(expected);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(m_gui->get_parameter_display().get_text(), expected);

    const Kiv::Point bar = panel().get_menu_button().get_desktop_position();
    m_desktop.move({bar.x + 2, bar.y + 2});
    EXPECT_EQ(m_gui->get_hovered_editor(), nullptr);

    m_desktop.move({corner.x + 2, corner.y + 2});
    ASSERT_EQ(m_gui->get_hovered_editor(), editor);
    // An editor that goes while hovered is forgotten, not left dangling.
    delete editor;
    EXPECT_EQ(m_gui->get_hovered_editor(), nullptr);
    m_gui->idle();
}

TEST(DeviceGuiCriticalErrorTest, ShowsErrorAndTheMessage)
{
    frame_application();
    Device device;
    DeviceGuiCriticalError view(device, u"The editor could not be built.");
    EXPECT_EQ(&view.get_root_widget(), &view);
    EXPECT_EQ(view.get_title().get_text(), u"Error");
    EXPECT_EQ(view.get_message().get_text(), u"The editor could not be built.");
    ASSERT_NE(view.get_child(), nullptr);
    EXPECT_TRUE(view.get_child()->contains(&view.get_message()));
}

namespace
{

// A device of its own with one float parameter that has three ranges: two linear, and an
// exponential one from 0 that cannot hold any value but its start.
class VariationTest : public DeviceFixture
{
protected:
    VariationTest()
    {
        frame_application();
        m_parameter = new FloatParameter();
        m_parameter->set_name(u"Time");
        m_parameter->append_float_variation(1, u"Short", Unit_NONE, 0.0f, 10.0f, 5.0f, 0,
                                            ConversionType_IDENTITY, 3, true);
        m_parameter->append_float_variation(2, u"Long", Unit_NONE, 0.0f, 100.0f, 5.0f, 0,
                                            ConversionType_IDENTITY, 3, false);
        m_parameter->append_float_variation(3, u"Broken", Unit_NONE, 0.0f, 1.0f, 0.0f, 1,
                                            ConversionType_IDENTITY, 3, false);
        add(m_parameter, 1);
        initialize();
        m_parameter->set_external_value(4.0f);
        m_gui = new DeviceGuiConcrete(m_device);
        m_gui->set_parent(&m_desktop);
        m_editor = new ProbeEditor(*m_gui, m_parameter);
        m_gui->add(m_editor);
        m_desktop.settle();
    }
    ~VariationTest() override { delete m_gui; }

    void choose(size_t a_variation_row)
    {
        const Kiv::Point corner = m_editor->get_desktop_position();
        m_desktop.click({corner.x + 2, corner.y + 2}, Kiv::MouseButton_RIGHT);
        m_desktop.settle();
        Kiv::PopupMenu* menu = m_gui->get_variation_menu();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->get_menu_item().children.size(), 1u);
        EXPECT_EQ(menu->get_menu_item().children[0]->text, u"Variations");
        click_in_top_popup(*menu, 0);
        ASSERT_NE(menu->get_submenu(), nullptr);
        click_in_top_popup(*menu->get_submenu(), a_variation_row);
    }

    void click_in_top_popup(Kiv::PopupMenu& a_menu, size_t a_row)
    {
        Kiv::OffscreenDesktop* popup = m_desktop.get_top_popup();
        ASSERT_NE(popup, nullptr);
        popup->settle();
        const Kiv::Rect row = a_menu.get_row_rect(a_row);
        const Kiv::Point corner = a_menu.get_desktop_position();
        popup->click({corner.x + row.x + row.width / 2, corner.y + row.y + row.height / 2});
        m_desktop.settle();
    }

    Kiv::MessageDialog* error_dialog()
    {
        for (Kiv::Widget* child : m_desktop.get_children())
        {
            if (auto* dialog = dynamic_cast<Kiv::MessageDialog*>(child))
                return dialog;
        }
        return nullptr;
    }

    Kiv::OffscreenDesktop m_desktop{frame_application(), {600, 400}};
    FloatParameter* m_parameter = nullptr;
    DeviceGuiConcrete* m_gui = nullptr;
    ProbeEditor* m_editor = nullptr;
};

} // namespace

TEST_F(VariationTest, ASwitchKeepsTheNormalizedValueAndChecksTheCurrentVariation)
{
    choose(1);
    EXPECT_EQ(m_parameter->m_current_variation->m_id, 2u);
    EXPECT_NEAR(m_parameter->get_external_value(), 40.0f, 1e-3f);
    EXPECT_GT(m_editor->m_refreshes, 0);
    EXPECT_EQ(error_dialog(), nullptr);

    const Kiv::Point corner = m_editor->get_desktop_position();
    m_desktop.click({corner.x + 2, corner.y + 2}, Kiv::MouseButton_RIGHT);
    ASSERT_NE(m_gui->get_variation_menu(), nullptr);
    const Kiv::MenuItem& list = *m_gui->get_variation_menu()->get_menu_item().children[0];
    EXPECT_FALSE(list.children[0]->checked);
    EXPECT_TRUE(list.children[1]->checked);
}

TEST_F(VariationTest, AValueTheNewVariationCannotHoldPutsTheOldOneBackAndSaysSo)
{
    choose(2);
    EXPECT_EQ(m_parameter->m_current_variation->m_id, 1u);
    EXPECT_NEAR(m_parameter->get_external_value(), 4.0f, 1e-4f);
    EXPECT_NEAR(m_parameter->get_normalized_value(), 0.4f, 1e-6f);
    Kiv::MessageDialog* dialog = error_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->get_title(), u"Error");
    EXPECT_EQ(dialog->get_text(), u"Cannot denormalize parameter after changing variation.");
}

TEST_F(VariationTest, AParameterWithOneVariationOpensNoMenu)
{
    auto* other = new FloatParameter();
    other->append_float_variation(1, u"Only", Unit_NONE, 0.0f, 1.0f, 0.0f, 0,
                                  ConversionType_IDENTITY, 3, true);
    ProbeEditor single(*m_gui, other);
    EXPECT_FALSE(m_gui->open_variation_menu(single, {0, 0}));
    EXPECT_EQ(m_gui->get_variation_menu(), nullptr);
    other->destroy();
}
