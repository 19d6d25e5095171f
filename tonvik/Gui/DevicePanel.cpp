#include "tonvik/Gui/DevicePanel.h"

#include "bex/Core/Exception.h"
#include "bex/Streams/FilePath.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Gui/DeviceAboutWindow.h"
#include "tonvik/Gui/DeviceGuiConcrete.h"
#include "tonvik/Gui/DeviceGuiParameterDisplay.h"
#include "tonvik/Gui/DeviceGuiProgramDisplay.h"
#include "tonvik/Gui/DeviceSettingsWindow.h"
#include "tonvik/Gui/PresetArrowButton.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Presets/PresetManager.h"

#include <algorithm>

namespace Tonvik
{

Kiv::WidgetClass DevicePanel::s_widget_class("DevicePanel", "VerticalLayout");

namespace
{

Bex::Vector<Kiv::FileDialogFilter> preset_filters()
{
    Bex::Vector<Kiv::FileDialogFilter> filters;
    filters.push_back({u"Presets (*.preset)", u"*.preset"});
    filters.push_back({u"All files (*.*)", u"*.*"});
    return filters;
}

// Portable code joins path pieces with "\"; the dialog shows and splits paths as the system
// writes them.
Bex::String native_separators(Bex::String a_path)
{
#ifndef _WIN32
    std::replace(a_path.begin(), a_path.end(), u'\\', u'/');
#endif
    return a_path;
}

} // namespace

DevicePanel::DevicePanel(DeviceGuiConcrete& a_gui) : m_gui(a_gui)
{
    set_horizontally_stretchable(true);
    // Only the chooser widens with the bar; the buttons keep to its right.
    auto* row = new Kiv::HorizontalLayout();
    m_program_display = new DeviceGuiProgramDisplay(a_gui, p_manager());
    row->add(m_program_display);
    m_previous = new PresetArrowButton(1);
    row->add(m_previous);
    m_next = new PresetArrowButton(2);
    row->add(m_next);
    m_menu_button = new Kiv::TextCommandButton(u"Menu...");
    row->add(m_menu_button);
    add(row);
    m_parameter_display = new DeviceGuiParameterDisplay();
    add(m_parameter_display);

    connect(m_previous->on_click(), this, &DevicePanel::p_on_previous);
    connect(m_next->on_click(), this, &DevicePanel::p_on_next);
    connect(m_menu_button->on_click(), this, &DevicePanel::p_on_menu_button);
}

DevicePanel::~DevicePanel()
{
    if (m_menu)
        m_menu->close();
    // The windows are the desktop's, not the editor's: they must not outlive the editor they
    // belong to. The settings window saves what it has not saved on its way out.
    if (m_about_window && !m_about_window->is_closing())
        delete m_about_window;
    if (m_settings_window && !m_settings_window->is_closing())
        delete m_settings_window;
}

const Kiv::WidgetClass& DevicePanel::get_widget_class() const
{
    return s_widget_class;
}

PresetManager* DevicePanel::p_manager() const
{
    return m_gui.get_device().get_preset_manager();
}

Device& DevicePanel::p_device() const
{
    return m_gui.get_device();
}

void DevicePanel::open_menu()
{
    Kiv::Desktop* desktop = get_desktop();
    if (!desktop || m_menu)
        return;
    Kiv::MenuItem root;
    root.add(u"Load preset...", PanelCommand_LOAD_PRESET);
    root.add(u"Save preset...", PanelCommand_SAVE_PRESET);
    root.add(u"Refresh preset list", PanelCommand_REFRESH_PRESETS);
    root.add_separator();
    root.add(u"Reset/Panic", PanelCommand_RESET);
    root.add_separator();
    root.add(u"Clear preset", PanelCommand_CLEAR_PRESET);
    root.add_separator();
    root.add(u"Settings...", PanelCommand_SETTINGS);
    root.add(u"About...", PanelCommand_ABOUT);
    const Kiv::Point corner = m_menu_button->get_desktop_position();
    const Kiv::Rect anchor{corner.x, corner.y, m_menu_button->get_width(),
                           m_menu_button->get_height()};
    m_menu = &Kiv::PopupMenu::open(*desktop, anchor, root);
    m_menu->on_chosen().connect(this, &DevicePanel::p_on_menu_chosen);
    m_menu->on_closed().connect(this, &DevicePanel::p_on_menu_closed);
}

void DevicePanel::p_on_menu_chosen(Kiv::MenuEvent& a_event)
{
    run(PanelCommand(a_event.item->data));
}

void DevicePanel::run(PanelCommand a_command)
{
    switch (a_command)
    {
    case PanelCommand_LOAD_PRESET:
        p_load_preset();
        break;
    case PanelCommand_SAVE_PRESET:
        p_save_preset();
        break;
    case PanelCommand_REFRESH_PRESETS:
        p_refresh_presets();
        break;
    case PanelCommand_RESET:
        p_device().resume();
        break;
    case PanelCommand_CLEAR_PRESET:
        p_ask_clear_preset();
        break;
    case PanelCommand_SETTINGS:
        p_show_settings();
        break;
    case PanelCommand_ABOUT:
        p_show_about();
        break;
    }
}

void DevicePanel::step_preset(int32_t a_step)
{
    PresetManager* manager = p_manager();
    if (!manager || !manager->get_current_preset())
        return;
    const Bex::Vector<Preset*>& presets = manager->get_flat_list();
    const int32_t count = int32_t(presets.size());
    const int32_t index = manager->get_flat_index(manager->get_current_preset());
    if (index < 0 || count == 0)
        return;
    int32_t target = index + (a_step < 0 ? -1 : 1);
    if (target < 0)
        target = count - 1;
    else if (target >= count)
        target = 0;
    try
    {
        manager->open_preset(manager->get_preset_path(presets[size_t(target)]));
    }
    catch (const Bex::Exception& exception)
    {
        m_gui.show_error(exception.get_message());
    }
}

void DevicePanel::p_open_file_dialog(const Kiv::FileDialogOptions& a_options, bool a_saving)
{
    if (m_file_dialog || !get_desktop())
        return;
    m_saving = a_saving;
    Kiv::FileDialogOptions options = a_options;
    options.initial_path = native_separators(options.initial_path);
    m_file_dialog = &Kiv::FileDialog::show(m_gui.get_dialog_owner(), options);
    m_file_dialog->on_finished().connect(this, &DevicePanel::p_on_file_chosen);
}

void DevicePanel::p_load_preset()
{
    PresetManager* manager = p_manager();
    if (!manager)
        return;
    Kiv::FileDialogOptions options;
    options.mode = Kiv::FileDialogMode_OPEN;
    options.caption = u"Load preset";
    options.filters = preset_filters();
    options.filter_index = 0;
    options.initial_path = manager->get_current_path();
    if (options.initial_path.empty())
        options.initial_path = manager->get_preset_folder();
    p_open_file_dialog(options, false);
}

void DevicePanel::p_save_preset()
{
    PresetManager* manager = p_manager();
    if (!manager)
        return;
    Kiv::FileDialogOptions options;
    options.mode = Kiv::FileDialogMode_SAVE;
    options.caption = u"Save preset";
    options.filters = preset_filters();
    options.filter_index = 0;
    options.default_extension = u"preset";
    options.initial_path = manager->get_default_save_path();
    if (options.initial_path.empty())
        options.initial_path = Bex::join_path(manager->get_preset_folder(), u"Preset.preset");
    p_open_file_dialog(options, true);
}

void DevicePanel::p_on_file_chosen(Kiv::FileDialogEvent& a_event)
{
    m_file_dialog = nullptr;
    PresetManager* manager = p_manager();
    if (!a_event.accepted || !manager)
        return;
    try
    {
        // Both make the file the current preset; saving also scans the folder again.
        if (m_saving)
            manager->save_preset(a_event.path);
        else
            manager->open_preset(a_event.path);
    }
    catch (const Bex::Exception& exception)
    {
        m_gui.show_error(exception.get_message());
    }
}

void DevicePanel::p_refresh_presets()
{
    PresetManager* manager = p_manager();
    if (!manager)
        return;
    const Bex::String current = manager->get_current_path();
    manager->scan();
    manager->set_current(current);
}

void DevicePanel::p_ask_clear_preset()
{
    if (m_question || !get_desktop())
        return;
    m_question = &Kiv::MessageDialog::show(m_gui.get_dialog_owner(), u"Clear preset",
                                           u"Do you want to clear current preset?",
                                           Kiv::MessageDialogButtons_YES_NO);
    m_question->on_answered().connect(this, &DevicePanel::p_on_clear_answered);
}

void DevicePanel::p_on_clear_answered(Kiv::MessageDialogEvent& a_event)
{
    m_question = nullptr;
    if (a_event.result == Kiv::MessageDialogResult_YES)
        p_clear_preset();
}

void DevicePanel::p_clear_preset()
{
    Device& device = p_device();
    {
        Device::StateLocks locks(device);
        device.resume();
        device.get_program()->get_collection().reset_all();
        device.get_modulation()->clear();
        device.get_modulation()->reset_processing();
        // Every value reaches the sound at once, as a program change does.
        device.recommit_all();
    }
    m_gui.request_full_refresh();
}

void DevicePanel::p_show_settings()
{
    Kiv::Desktop* desktop = get_desktop();
    if (!desktop)
        return;
    if (!m_settings_window)
    {
        m_settings_window = new DeviceSettingsWindow(p_device());
        connect(m_settings_window->on_closed(), this, &DevicePanel::p_on_settings_closed);
    }
    m_settings_window->show_on(*desktop);
}

void DevicePanel::p_show_about()
{
    Kiv::Desktop* desktop = get_desktop();
    if (!desktop)
        return;
    if (!m_about_window)
    {
        m_about_window = new DeviceAboutWindow(m_gui);
        connect(m_about_window->on_closed(), this, &DevicePanel::p_on_about_closed);
    }
    if (m_about_window->get_parent() != desktop)
        desktop->add_window(m_about_window);
}

void DevicePanel::idle()
{
    m_program_display->idle();
    if (m_settings_window)
        m_settings_window->idle();
}

} // namespace Tonvik
