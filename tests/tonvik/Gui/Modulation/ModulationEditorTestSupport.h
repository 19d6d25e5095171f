#pragma once

#include "../FrameTestSupport.h"

#include "kiv/Windows/NormalWindow.h"
#include "tonvik/Gui/Modulation/ModulationEditor.h"
#include "tonvik/Gui/Modulation/ModulatorList.h"
#include "tonvik/Gui/Modulation/ModulatorPanel.h"
#include "tonvik/Modulation/ModulationManager.h"

namespace TonvikTest
{

// The test device with what the modulation page works on: a modulatable "Pitch modulation 1"
// in a group of its own, the sixteen assignable slots and room for three modulators.
class ModulationDevice : public TestDevice
{
public:
    explicit ModulationDevice(const fs::path& a_folder) : TestDevice(a_folder)
    {
        m_static_config.m_maximum_modulators = 3;
        m_static_config.m_maximum_entries_per_modulator = 4;
    }

    void build_program() override
    {
        TestDevice::build_program();
        Tonvik::DeviceProgramBuilder builder(*get_program());
        builder.begin_group(Bex::make_id("Voic"), u"Voices");
        m_pitch = new Tonvik::FloatParameter();
        m_pitch->set_id(Bex::make_id("PiM1"));
        m_pitch->set_name(u"Pitch modulation 1");
        m_pitch->append_float_variation(1, u"Default", Tonvik::Unit_NONE, 0.0f, 1.0f, 0.0f, 0,
                                        Tonvik::ConversionType_IDENTITY, 3, true);
        m_pitch->m_output = m_pitch_output;
        m_pitch->m_vector_size = 16;
        m_pitch->m_modulatable = true;
        builder.add_parameter(m_pitch);
        builder.end_group();
        builder.begin_group(Bex::make_id("Assi"), u"Assignable");
        builder.add_assignable_parameters();
        builder.end_group();
    }

    Tonvik::FloatParameter* m_pitch = nullptr;
    alignas(16) float m_pitch_output[16] = {};
};

// The modulation page inside a device editor on an offscreen desktop, driven by clicks.
class ModulationEditorFixture : public ::testing::Test
{
protected:
    ModulationEditorFixture()
    {
        frame_application();
        m_device.initialize();
        m_gui = new Tonvik::DeviceGuiConcrete(m_device);
        m_gui->set_horizontally_stretchable(true);
        m_gui->set_vertically_stretchable(true);
        m_editor = new Tonvik::ModulationEditor(*m_gui);
        m_gui->add(m_editor);
        m_gui->set_parent(&m_desktop);
        m_desktop.settle();
    }
    ~ModulationEditorFixture() override
    {
        delete m_gui;
        manager().clear();
    }

    Tonvik::ModulationManager& manager() { return *m_device.get_modulation(); }
    Tonvik::ModulatorPanel& panel()
    {
        EXPECT_NE(m_editor->get_panel(), nullptr);
        return *m_editor->get_panel();
    }

    void click_on(Kiv::Widget& a_widget)
    {
        m_desktop.settle();
        const Kiv::Point corner = a_widget.get_desktop_position();
        m_desktop.click(
            {corner.x + a_widget.get_width() / 2, corner.y + a_widget.get_height() / 2});
        m_desktop.settle();
    }

    // The menu in the newest popup, laid out.
    Kiv::PopupMenu* top_menu()
    {
        Kiv::OffscreenDesktop* popup = m_desktop.get_top_popup();
        if (!popup)
            return nullptr;
        popup->settle();
        return dynamic_cast<Kiv::PopupMenu*>(popup->get_children()[0]);
    }

    // Clicks the row of the newest menu whose text is a_text; a row that opens a submenu is
    // only pointed at, which opens it. False when the menu or the row is missing.
    bool choose(const Bex::String& a_text)
    {
        Kiv::PopupMenu* menu = top_menu();
        if (!menu)
            return false;
        const Kiv::MenuItem& items = menu->get_menu_item();
        for (size_t row = 0; row < items.children.size(); ++row)
        {
            if (items.children[row]->text != a_text)
                continue;
            const Kiv::Rect rect = menu->get_row_rect(row);
            const Kiv::Point centre{rect.x + rect.width / 2, rect.y + rect.height / 2};
            if (items.children[row]->has_children())
                m_desktop.get_top_popup()->move(centre);
            else
                m_desktop.get_top_popup()->click(centre);
            m_desktop.settle();
            return true;
        }
        return false;
    }

    // Each text in turn in the menus that a_opener opens.
    bool choose_path(Kiv::Widget& a_opener, std::initializer_list<const char16_t*> a_path)
    {
        click_on(a_opener);
        for (const char16_t* text : a_path)
        {
            if (!choose(text))
                return false;
        }
        return true;
    }

    bool run_main(std::initializer_list<const char16_t*> a_path)
    {
        return choose_path(m_editor->get_menu_button(), a_path);
    }

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

    Kiv::MessageDialog* dialog()
    {
        auto dialogs = windows<Kiv::MessageDialog>();
        return dialogs.empty() ? nullptr : dialogs.back();
    }

    TemporaryFolder m_folder;
    ModulationDevice m_device{m_folder.path()};
    Kiv::OffscreenDesktop m_desktop{frame_application(), {1400, 900}};
    Tonvik::DeviceGuiConcrete* m_gui = nullptr;
    Tonvik::ModulationEditor* m_editor = nullptr;
};

} // namespace TonvikTest
