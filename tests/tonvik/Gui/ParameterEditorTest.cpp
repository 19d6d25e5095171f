#include "GuiTestSupport.h"

#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/Entry.h"
#include "tonvik/Gui/PG_Integer.h"
#include "tonvik/Gui/ParameterGui_Boolean.h"
#include "tonvik/Gui/ParameterGui_Filler.h"
#include "tonvik/Gui/ParameterGui_ToggleButton.h"

#include <memory>

using namespace Tonvik;

namespace
{

using ParameterEditorTest = TonvikTest::GuiFixture;

} // namespace

TEST_F(ParameterEditorTest, EditorsRegisterAndLeaveByMovingTheLastIntoPlace)
{
    auto* first = new ParameterGui_Filler(m_gui, m_level);
    auto* second = new ParameterGui_Boolean(m_gui, m_flag);
    auto* third = new ParameterGui_Filler(m_gui, m_level);
    EXPECT_EQ(m_gui.get_editors(), (Bex::Vector<SingleParameterEditor*>{first, second, third}));
    EXPECT_EQ(third->SingleParameterEditor::get_index(), 2u);
    EXPECT_EQ(m_level->get_editor_count(), 2u);
    EXPECT_EQ(first->get_widget(), first);
    EXPECT_EQ(TonvikTest::exception_text([&] { first->set_widget(first); }), u"!m_widget");

    delete first;
    EXPECT_EQ(m_gui.get_editors(), (Bex::Vector<SingleParameterEditor*>{third, second}));
    EXPECT_EQ(third->SingleParameterEditor::get_index(), 0u);
    EXPECT_EQ(m_level->get_editor_count(), 1u);
    delete second;
    delete third;
    EXPECT_TRUE(m_gui.get_editors().empty());
    EXPECT_EQ(m_level->get_editor_count(), 0u);
    EXPECT_EQ(m_flag->get_editor_count(), 0u);
}

TEST_F(ParameterEditorTest, GesturesNestOnTheParameterAndCloseWithTheEditor)
{
    auto* filler = show(new ParameterGui_Filler(m_gui, m_level));
    m_desktop.press({100, 10});
    m_desktop.move({100, 0});
    EXPECT_EQ(filler->get_open_gestures(), 1u);
    EXPECT_EQ(m_level->m_edit_depth, 1);
    // Going away in the middle of the drag still ends the host's gesture.
    filler->destroy();
    EXPECT_EQ(host_calls(), "begin automate end");
    EXPECT_EQ(m_level->m_edit_depth, 0);
    EXPECT_TRUE(m_gui.get_editors().empty());
    EXPECT_EQ(m_level->get_editor_count(), 0u);
    m_desktop.release({100, 0});
}

TEST_F(ParameterEditorTest, EditorOfADestroyedParameterIgnoresInputAndClosesNothing)
{
    auto extra = std::make_unique<ParameterCollection>();
    auto* gain = new FloatParameter();
    gain->set_id(Bex::make_id("Gain"));
    gain->append_float_variation(1, u"Gain", Unit_NONE, 0.0f, 1.0f, 0.5f, 0,
                                 ConversionType_IDENTITY, EditorOrigin_START, true);
    extra->get_root()->append_parameter(gain);
    extra->initialize(&m_device);
    gain->m_host = &m_host;
    auto* filler = show(new ParameterGui_Filler(m_gui, gain));
    EXPECT_EQ(filler->get_value(), 0.5);
    m_desktop.press({100, 10});
    EXPECT_EQ(host_calls(), "begin");
    extra.reset();
    EXPECT_EQ(filler->get_parameter(), nullptr);
    EXPECT_EQ(filler->get_hint()->get_text(), u"");
    m_desktop.release({100, 10});

    m_desktop.handle_mouse_down({190, 10}, Kiv::MouseButton_LEFT, 2);
    m_desktop.handle_mouse_up({190, 10}, Kiv::MouseButton_LEFT);
    m_desktop.wheel({100, 10}, 1);
    EXPECT_EQ(filler->get_value(), 0.5);
    // A full refresh reaches every editor; this one has nothing to show.
    filler->refresh();
    m_device.reset_to_defaults();
    m_gui.idle();
    EXPECT_EQ(filler->get_value(), 0.5);
    filler->destroy();
    EXPECT_EQ(host_calls(), "begin");
    EXPECT_TRUE(m_gui.get_editors().empty());
}

TEST_F(ParameterEditorTest, EditorsOutlivingTheDeviceEditorLeaveItAlone)
{
    Kiv::OffscreenDesktop desktop{TonvikTest::gui_application(), {200, 20}};
    auto gui = std::make_unique<TonvikTest::TestGui>(m_device, desktop);
    m_device.m_gui = gui.get();
    auto* filler = new ParameterGui_Filler(*gui, m_level);
    filler->set_horizontally_stretchable(true);
    filler->set_vertically_stretchable(true);
    filler->set_parent(&desktop);
    desktop.settle();
    desktop.press({100, 10});
    gui.reset();
    EXPECT_EQ(m_device.m_gui, nullptr);
    EXPECT_FALSE(filler->has_gui());
    // The desktop goes last, as a window does when the host closes it: the drag still ends.
    filler->destroy();
    EXPECT_EQ(host_calls(), "begin end");
    EXPECT_EQ(m_level->get_editor_count(), 0u);
}

TEST_F(ParameterEditorTest, IdleRefreshesOnlyTheEditorsOfChangedParameters)
{
    auto* filler = show(new ParameterGui_Filler(m_gui, m_level));
    ParameterGui_Boolean box(m_gui, m_flag);
    m_level->set_normalized_value_from_host(0.75f);
    m_flag->m_value = true;
    m_gui.idle();
    EXPECT_EQ(filler->get_value(), 0.75);
    EXPECT_EQ(filler->get_label_number(), 150.0);
    // The switch was set behind the device's back: nothing told the editor.
    EXPECT_FALSE(box.is_checked());
    // After a load or a reset every editor shows its parameter anew.
    m_device.reset_to_defaults();
    m_gui.idle();
    EXPECT_TRUE(box.is_checked());
    EXPECT_EQ(filler->get_value(), 0.75);

    // The hovered editor's hint follows its parameter.
    m_desktop.move({100, 10});
    m_gui.m_hints.clear();
    m_level->set_normalized_value_from_host(0.5f);
    m_gui.idle();
    ASSERT_EQ(m_gui.m_hints.size(), 1u);
    EXPECT_EQ(m_gui.m_hints[0].substr(0, 11), "Level: 100 ");
}

TEST_F(ParameterEditorTest, SwitchEditorsToggleThroughTheUserPath)
{
    auto* box = show(new ParameterGui_Boolean(m_gui, m_flag));
    EXPECT_EQ(box->get_text(), u"Flag");
    m_desktop.click({10, 10});
    EXPECT_TRUE(m_flag->get_value());
    EXPECT_EQ(host_calls(), "begin automate end");
    EXPECT_EQ(m_gui.m_hints.size(), 1u);
    m_flag->set_value(false);
    m_gui.idle();
    EXPECT_FALSE(box->is_checked());
    box->destroy();

    m_host.m_calls.clear();
    auto* button = show(new ParameterGui_ToggleButton(m_gui, m_flag, u"On"));
    EXPECT_EQ(button->get_text(), u"On");
    EXPECT_FALSE(button->is_checked());
    m_desktop.click({100, 10});
    EXPECT_TRUE(m_flag->get_value());
    EXPECT_TRUE(button->is_checked());
    EXPECT_EQ(host_calls(), "begin automate end");
}

TEST_F(ParameterEditorTest, IntegerEditorShowsScaledValuesAndSetsTypedOnes)
{
    auto* entry = show(new PG_Integer(m_gui, m_steps));
    EXPECT_EQ(entry->get_value(), 3);
    m_desktop.wheel({100, 10}, 1);
    EXPECT_EQ(m_steps->get_value(), 4);
    EXPECT_EQ(host_calls(), "begin automate end");

    m_desktop.click({10, 5});
    m_desktop.handle_key_down(Kiv::KeyCode_A, Kiv::KeyModifier_CONTROL);
    m_desktop.type(u"42");
    m_desktop.key_down(Kiv::KeyCode_RETURN);
    EXPECT_EQ(m_steps->get_value(), 42);

    m_steps->set_value(7);
    m_gui.idle();
    EXPECT_EQ(entry->get_value(), 7);
    entry->destroy();

    // Halves round away from zero: 3 shows as 2, 5 as 3.
    auto* halves = show(new PG_Integer(m_gui, m_steps, 0.5));
    m_steps->set_value(5);
    m_gui.idle();
    EXPECT_EQ(halves->get_value(), 3);
    m_steps->set_value(3);
    m_gui.idle();
    EXPECT_EQ(halves->get_value(), 2);
    EXPECT_EQ(halves->get_maximum(), 50);
    m_desktop.wheel({100, 10}, 1);
    EXPECT_EQ(m_steps->get_value(), 6);
}
