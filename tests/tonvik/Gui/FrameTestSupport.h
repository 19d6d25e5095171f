#pragma once

#include "../Devices/TestDevice.h"
#include "../TestSupport.h"

#include "kiv/Application/Application.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Windows/MessageDialog.h"
#include "tonvik/Gui/DeviceGuiConcrete.h"
#include "tonvik/Gui/DevicePanel.h"
#include "tonvik/Gui/SingleParameterEditor.h"
#include "tonvik/Presets/PresetManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace TonvikTest
{

inline Kiv::Application& frame_application()
{
    static Kiv::Application instance;
    return instance;
}

// Portable code joins path pieces with "\"; the file system layer takes either separator.
inline fs::path native_path(const Bex::String& a_path)
{
    std::string text = a_path.to_utf8();
    std::replace(text.begin(), text.end(), '\\', '/');
    return fs::path(text);
}

// A parameter editor that is its own widget and counts its refreshes.
class ProbeEditor : public Kiv::Label, public Tonvik::SingleParameterEditor
{
public:
    ProbeEditor(Tonvik::DeviceGui& a_gui, Tonvik::Parameter* a_parameter, bool a_overlay = false)
        : Kiv::Label(u"probe"), Tonvik::SingleParameterEditor(a_gui, a_parameter),
          m_overlay(a_overlay)
    {
        set_widget(this);
    }
    bool has_modulation_overlay() const override { return m_overlay; }
    void refresh() override { ++m_refreshes; }

    bool m_overlay;
    int m_refreshes = 0;
};

// A test device over a temporary folder, its editor on an offscreen desktop, and the helpers to
// click through menus and dialogs as a user does.
class FrameFixture : public ::testing::Test
{
protected:
    FrameFixture()
    {
        frame_application();
        m_device.initialize();
    }
    ~FrameFixture() override
    {
        if (m_gui)
            delete m_gui;
    }

    Tonvik::PresetManager& manager() { return *m_device.get_preset_manager(); }
    fs::path preset_folder() { return native_path(manager().get_preset_folder()); }

    // Writes a preset whose level is a_level at a_relative (without extension) in the folder.
    void write_preset(const std::string& a_relative, float a_level)
    {
        const fs::path path = preset_folder() / (a_relative + ".preset");
        fs::create_directories(path.parent_path());
        m_device.m_level->set_external_value(a_level);
        m_device.flush_changes();
        manager().save_preset(to_text(path));
    }

    // Presets in menu order: Bass/Deep 1, Bass/Low 2, Pads/Soft 3, Alpha 4, Beta 5; none current.
    void write_presets()
    {
        write_preset("Bass/Deep", 1.0f);
        write_preset("Bass/Low", 2.0f);
        write_preset("Pads/Soft", 3.0f);
        write_preset("Alpha", 4.0f);
        write_preset("Beta", 5.0f);
        manager().set_current(Bex::String());
        m_device.m_level->set_external_value(8.0f);
        m_device.flush_changes();
    }

    void open_editor()
    {
        m_gui = new Tonvik::DeviceGuiConcrete(m_device);
        m_gui->set_horizontally_stretchable(true);
        m_gui->set_vertically_stretchable(true);
        m_gui->set_parent(&m_desktop);
        m_desktop.settle();
    }

    Tonvik::DevicePanel& panel() { return m_gui->get_panel(); }
    float level() const { return m_device.m_level->get_external_value(); }

    void click_on(Kiv::Widget& a_widget, Kiv::MouseButton a_button = Kiv::MouseButton_LEFT)
    {
        m_desktop.settle();
        const Kiv::Point corner = a_widget.get_desktop_position();
        m_desktop.click({corner.x + a_widget.get_width() / 2, corner.y + a_widget.get_height() / 2},
                        a_button);
        m_desktop.settle();
    }

    // Clicks a row of a menu standing in the newest popup.
    void click_row(Kiv::PopupMenu& a_menu, size_t a_row)
    {
        Kiv::OffscreenDesktop* popup = m_desktop.get_top_popup();
        ASSERT_NE(popup, nullptr);
        popup->settle();
        const Kiv::Rect row = a_menu.get_row_rect(a_row);
        const Kiv::Point corner = a_menu.get_desktop_position();
        popup->click({corner.x + row.x + row.width / 2, corner.y + row.y + row.height / 2});
        m_desktop.settle();
    }

    void run_panel_command(size_t a_row)
    {
        click_on(panel().get_menu_button());
        ASSERT_NE(panel().get_menu(), nullptr);
        click_row(*panel().get_menu(), a_row);
    }

    // The windows of a kind on the desktop, oldest first.
    template <typename T>
    std::vector<T*> windows()
    {
        std::vector<T*> found;
        for (Kiv::Widget* child : m_desktop.get_children())
        {
            if (T* window = dynamic_cast<T*>(child); window && !window->is_closing())
                found.push_back(window);
        }
        return found;
    }

    TemporaryFolder m_folder;
    TestDevice m_device{m_folder.path()};
    Kiv::OffscreenDesktop m_desktop{frame_application(), {900, 700}};
    Tonvik::DeviceGuiConcrete* m_gui = nullptr;
};

} // namespace TonvikTest
