#include "quorlinchorus/Gui/TheGui.h"

#include "bex/Core/Id.h"
#include "kiv/Application/Application.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/Tab.h"
#include "kiv/Widgets/Tabs.h"
#include "quorlinchorus/TheEffect.h"
#include "tests/support/LfoSetup.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Gui/SingleParameterEditor.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterCollection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

namespace quorlinchorus
{
namespace
{

namespace fs = std::filesystem;

Kiv::Application& application()
{
    static Kiv::Application instance;
    return instance;
}

bool shows(const Kiv::Widget* a_widget)
{
    for (; a_widget; a_widget = a_widget->get_parent())
    {
        if (!a_widget->is_visible())
            return false;
    }
    return true;
}

class TheGuiTest : public ::testing::Test
{
protected:
    TheGuiTest()
    {
        std::random_device random;
        m_folder = fs::temp_directory_path() / ("quorlin-gui-" + std::to_string(random()));
        m_effect.m_static_config.m_user_folder =
            Bex::String::from_utf8((m_folder / "user").string());
        m_effect.m_static_config.m_common_folder =
            Bex::String::from_utf8((m_folder / "common").string());
        m_effect.initialize();
        application().load_style_sheet(Bex::String::from_utf8(QUORLIN_SHIPPED_STYLE_SHEET));
        m_gui = static_cast<TheGui*>(m_effect.create_gui());
        m_gui->set_parent(&m_desktop);
        m_desktop.settle();
    }
    ~TheGuiTest() override
    {
        m_effect.release_gui();
        m_gui->destroy();
        m_effect.terminate();
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    Tonvik::SingleParameterEditor* editor_of(const Bex::String& a_name) const
    {
        for (Tonvik::SingleParameterEditor* editor : m_gui->get_editors())
        {
            if (editor->get_parameter() && editor->get_parameter()->m_name == a_name)
                return editor;
        }
        return nullptr;
    }

    // The voices whose "Input gain" editor is on screen.
    std::set<int> shown_voices() const
    {
        std::set<int> voices;
        for (int voice = 1; voice <= 8; ++voice)
        {
            auto* editor =
                editor_of(u"Input gain " + Bex::String::from_utf8(std::to_string(voice)));
            if (editor && shows(editor->get_widget()))
                voices.insert(voice);
        }
        return voices;
    }

    void click(const Kiv::Widget& a_widget)
    {
        const Kiv::Point corner = a_widget.get_desktop_position();
        m_desktop.click(
            {corner.x + a_widget.get_width() / 2, corner.y + a_widget.get_height() / 2});
    }

    fs::path m_folder;
    TheEffect m_effect;
    Kiv::OffscreenDesktop m_desktop{application(), {1100, 900}};
    TheGui* m_gui = nullptr;
};

} // namespace

TEST_F(TheGuiTest, TheSecondVoiceTabShowsVoicesFiveToEight)
{
    EXPECT_EQ(shown_voices(), (std::set<int>{1, 2, 3, 4}));
    click(*m_gui->get_voice_tabs().get_tab(1));
    EXPECT_EQ(m_gui->get_voice_tabs().get_current(), 1u);
    EXPECT_EQ(shown_voices(), (std::set<int>{5, 6, 7, 8}));
}

TEST_F(TheGuiTest, SoloOnVoiceThreeLeavesTheEnabledBoxesAsTheyWere)
{
    std::vector<bool> enabled_before;
    for (int voice = 1; voice <= 4; ++voice)
    {
        auto* flag = dynamic_cast<Tonvik::P_Boolean*>(
            editor_of(u"Enabled " + Bex::String::from_utf8(std::to_string(voice)))
                ->get_parameter());
        ASSERT_NE(flag, nullptr);
        enabled_before.push_back(flag->get_value());
    }
    Tonvik::SingleParameterEditor* solo = editor_of(u"Solo 3");
    ASSERT_NE(solo, nullptr);
    click(*solo->get_widget());
    EXPECT_TRUE(static_cast<Tonvik::P_Boolean*>(solo->get_parameter())->get_value());
    for (int voice = 1; voice <= 4; ++voice)
    {
        auto* flag = static_cast<Tonvik::P_Boolean*>(
            editor_of(u"Enabled " + Bex::String::from_utf8(std::to_string(voice)))
                ->get_parameter());
        EXPECT_EQ(flag->get_value(), enabled_before[size_t(voice - 1)]) << voice;
        auto* other = static_cast<Tonvik::P_Boolean*>(
            editor_of(u"Solo " + Bex::String::from_utf8(std::to_string(voice)))->get_parameter());
        EXPECT_EQ(other->get_value(), voice == 3) << voice;
    }
}

// With "All", each idle repaints exactly the modulated editors that show, each as itself: not the
// editor on the hidden voice tab, not the box around them all. "None" repaints nothing.
TEST_F(TheGuiTest, IdleRepaintsOnlyTheModulatedEditorsThatShow)
{
    Tonvik::ModulationManager& modulation = *m_effect.get_modulation();
    Tonvik::LfoModulator* lfo = test_support::add_lfo(modulation);
    for (const char* id : {"Del1", "Del5", "Wet "})
    {
        test_support::add_lfo_entry(
            modulation, lfo, m_effect.get_program()->get_collection().find(Bex::make_id(id)));
    }
    // The entries' own editors show their new values once.
    m_gui->idle();
    m_desktop.settle();
    Kiv::OffscreenWindow& window = m_desktop.get_window_backend();
    const auto rect_of = [this](const char16_t* a_name)
    {
        const Kiv::Widget* widget = editor_of(a_name)->get_widget();
        const Kiv::Point corner = widget->get_desktop_position();
        return Kiv::Rect{corner.x, corner.y, widget->get_width(), widget->get_height()};
    };
    const auto repainted_after_idle = [&]
    {
        window.clear_invalid_area();
        m_gui->idle();
        m_desktop.settle();
        std::set<std::tuple<int, int, int, int>> rects;
        for (const Kiv::Rect& rect : window.get_invalid_region().get_rectangles())
            rects.insert({rect.x, rect.y, rect.width, rect.height});
        return rects;
    };
    const Kiv::Rect delay = rect_of(u"Delay 1");
    const Kiv::Rect wet = rect_of(u"Wet");
    EXPECT_EQ(repainted_after_idle(), (std::set<std::tuple<int, int, int, int>>{
                                          {delay.x, delay.y, delay.width, delay.height},
                                          {wet.x, wet.y, wet.width, wet.height}}));

    m_effect.get_instance_settings()->m_modulation_visualization_parameter->select_option_by_user(
        3);
    ASSERT_EQ(m_effect.get_instance_settings()->m_modulation_visualization,
              Tonvik::ModulationVisualization_NONE);
    EXPECT_TRUE(repainted_after_idle().empty());
}

// Four pan-law boxes side by side show the laws' short names; their menus keep the full texts.
TEST_F(TheGuiTest, PanLawBoxesShowShortNamesAndFullTextsInTheirMenus)
{
    auto* box = dynamic_cast<Kiv::ComboBox*>(editor_of(u"Input panning law 1")->get_widget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->get_shown_text(), u"-3dB (sch)");
    ASSERT_FALSE(box->get_items().children.empty());
    EXPECT_EQ(box->get_items().children[0]->text, u"-6dB, linear");
}

} // namespace quorlinchorus
