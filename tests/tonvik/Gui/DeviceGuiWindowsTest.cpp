#include "FrameTestSupport.h"

#include "kiv/Layouts/GridLayout.h"
#include "kiv/Widgets/Tabs.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Gui/DeviceAboutWindow.h"
#include "tonvik/Gui/DeviceSettingsWindow.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

const size_t g_settings_row = 8;
const size_t g_about_row = 9;

// An editor whose About window holds one line of its own.
class AboutGui : public DeviceGuiConcrete
{
public:
    using DeviceGuiConcrete::DeviceGuiConcrete;
    void build_about_contents(Kiv::VerticalLayout& a_layout) override
    {
        a_layout.add(new Kiv::Label(u"Test Device 1.0"));
    }
};

class WindowsTest : public FrameFixture
{
protected:
    fs::path settings_file() { return native_path(m_device.get_settings_file()); }
};

Kiv::Label* find_label(Kiv::Widget& a_root, const Bex::String& a_text)
{
    if (auto* label = dynamic_cast<Kiv::Label*>(&a_root); label && label->get_text() == a_text)
        return label;
    for (Kiv::Widget* child : a_root.get_children())
    {
        if (Kiv::Label* found = find_label(*child, a_text))
            return found;
    }
    return nullptr;
}

} // namespace

TEST_F(WindowsTest, AboutTwiceGivesOneWindowWithTheEditorsLinesAndClose)
{
    m_gui = new AboutGui(m_device);
    m_gui->set_parent(&m_desktop);
    m_desktop.settle();
    run_panel_command(g_about_row);
    run_panel_command(g_about_row);
    auto abouts = windows<DeviceAboutWindow>();
    ASSERT_EQ(abouts.size(), 1u);
    EXPECT_EQ(abouts[0]->get_title(), u"About");
    EXPECT_NE(find_label(*abouts[0], u"Test Device 1.0"), nullptr);
    auto* close =
        dynamic_cast<Kiv::TextCommandButton*>(abouts[0]->get_contents()->get_children().back());
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->get_text(), u"Close");
    click_on(*close);
    EXPECT_TRUE(windows<DeviceAboutWindow>().empty());
    EXPECT_EQ(panel().get_about_window(), nullptr);
    // Closed, it comes back anew.
    run_panel_command(g_about_row);
    EXPECT_EQ(windows<DeviceAboutWindow>().size(), 1u);
}

TEST_F(WindowsTest, SettingsShowBothPagesWithTheirHeadersAndRows)
{
    open_editor();
    run_panel_command(g_settings_row);
    run_panel_command(g_settings_row);
    auto settings = windows<DeviceSettingsWindow>();
    ASSERT_EQ(settings.size(), 1u);
    DeviceSettingsWindow& window = *settings[0];
    EXPECT_EQ(window.get_title(), u"Settings");
    ASSERT_EQ(window.get_tabs().get_page_count(), 2u);
    EXPECT_EQ(window.get_tabs().get_page(0), &window.get_general_grid());
    EXPECT_EQ(window.get_tabs().get_page(1), &window.get_retrigger_grid());

    Kiv::GridLayout& general = window.get_general_grid();
    const auto text_at = [](Kiv::GridLayout& a_grid, uint32_t a_row, uint32_t a_column)
    {
        auto* label = dynamic_cast<Kiv::Label*>(a_grid.get_child(a_row, a_column));
        return label ? label->get_text() : Bex::String(u"<none>");
    };
    EXPECT_EQ(text_at(general, 0, 1), u"Current");
    EXPECT_EQ(text_at(general, 0, 2), u"Default");
    EXPECT_EQ(text_at(general, 1, 0), u"Parameter smoothness:");
    EXPECT_EQ(text_at(general, 2, 0), u"Modulation visualization:");
    for (uint32_t row = 1; row < 3; ++row)
    {
        EXPECT_NE(general.get_child(row, 1), nullptr);
        EXPECT_NE(general.get_child(row, 2), nullptr);
    }
    Kiv::GridLayout& keys = window.get_retrigger_grid();
    ASSERT_EQ(keys.get_row_count(), 9u);
    EXPECT_EQ(text_at(keys, 0, 1), u"Current channel");
    EXPECT_EQ(text_at(keys, 0, 4), u"Default key");
    EXPECT_EQ(text_at(keys, 1, 0), u"1:");
    EXPECT_EQ(text_at(keys, 8, 0), u"8:");
    for (uint32_t column = 1; column < 5; ++column)
        EXPECT_NE(keys.get_child(8, column), nullptr);
}

// The display scale belongs to the computer, not to one project: it has a default and no current
// value, and a new instance reads what the last one saved.
TEST_F(WindowsTest, TheDisplayScaleIsKeptWithTheDefaultsOnly)
{
    open_editor();
    run_panel_command(g_settings_row);
    auto settings = windows<DeviceSettingsWindow>();
    ASSERT_EQ(settings.size(), 1u);
    Kiv::GridLayout& general = settings[0]->get_general_grid();
    ASSERT_GE(general.get_row_count(), 4u);
    auto* label = dynamic_cast<Kiv::Label*>(general.get_child(3, 0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->get_text(), u"Display scale:");
    EXPECT_EQ(general.get_child(3, 1), nullptr);
    EXPECT_NE(general.get_child(3, 2), nullptr);

    DeviceGlobalSettings& global = *m_device.get_global_settings();
    EXPECT_EQ(global.m_display_scale, 0u);
    EXPECT_EQ(global.m_display_scale_parameter->get_current_option()->m_name, u"Automatic");
    ASSERT_TRUE(global.m_display_scale_parameter->select_option_by_user(6));
    EXPECT_EQ(global.m_display_scale, 200u);
    settings[0]->close();
    m_desktop.settle();

    TestDevice next{m_folder.path()};
    next.initialize();
    EXPECT_EQ(next.get_global_settings()->m_display_scale, 200u);
    // The instance's own state knows nothing of it.
    EXPECT_EQ(next.get_instance_settings()->get_collection().find(Bex::make_id("DiSc")), nullptr);
}

TEST_F(WindowsTest, ClosingSettingsSavesTheDefaultsEachTimeTheWindowWasShown)
{
    open_editor();
    ASSERT_FALSE(settings_file().empty());
    fs::remove(settings_file());
    run_panel_command(g_settings_row);
    auto settings = windows<DeviceSettingsWindow>();
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_FALSE(settings[0]->has_saved());
    EXPECT_FALSE(fs::exists(settings_file()));
    settings[0]->close();
    m_desktop.settle();
    EXPECT_TRUE(fs::exists(settings_file()));
    EXPECT_EQ(panel().get_settings_window(), nullptr);

    // Shown again, the window saves again on the next close.
    fs::remove(settings_file());
    run_panel_command(g_settings_row);
    settings = windows<DeviceSettingsWindow>();
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_FALSE(settings[0]->has_saved());
    settings[0]->close();
    m_desktop.settle();
    EXPECT_TRUE(fs::exists(settings_file()));
    EXPECT_TRUE(windows<Kiv::MessageDialog>().empty());
}

TEST_F(WindowsTest, AFailedSaveOnCloseIsReported)
{
    open_editor();
    // A folder where the file should be: it can be neither written nor replaced.
    fs::remove(settings_file());
    fs::create_directories(settings_file() / "blocked");
    run_panel_command(g_settings_row);
    windows<DeviceSettingsWindow>().at(0)->close();
    m_desktop.settle();
    const auto dialogs = windows<Kiv::MessageDialog>();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0]->get_title(), u"Error");
    EXPECT_EQ(dialogs[0]->get_text(), u"There was an error while saving default settings.");
}

TEST_F(WindowsTest, AnEditorTornDownWithSettingsOpenSavesSilentlyAndLeavesNoWindow)
{
    open_editor();
    fs::remove(settings_file());
    run_panel_command(g_settings_row);
    ASSERT_EQ(windows<DeviceSettingsWindow>().size(), 1u);
    delete m_gui;
    m_gui = nullptr;
    m_desktop.settle();
    EXPECT_TRUE(windows<DeviceSettingsWindow>().empty());
    EXPECT_TRUE(fs::exists(settings_file()));
    EXPECT_TRUE(windows<Kiv::MessageDialog>().empty());
}
