#include "tonvik/Gui/DeviceSettingsWindow.h"

#include "bex/Core/Exception.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Layouts/GridLayout.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/Tabs.h"
#include "kiv/Windows/MessageDialog.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/Gui/SettingsEditors.h"
#include "tonvik/Gui/SingleParameterEditor.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"
#include "tonvik/Presets/PresetManager.h"

namespace Tonvik
{

DeviceSettingsWindow::DeviceSettingsWindow(Device& a_device)
    : Kiv::NormalWindow(u"Settings"), m_device(a_device), m_editor_set(a_device, *this)
{
    m_tabs = new Kiv::Tabs();
    DeviceSettings* instance = a_device.get_instance_settings();
    DeviceGlobalSettings* global = a_device.get_global_settings();
    m_general = new Kiv::GridLayout(5, 3);
    m_general->set_style_subclass(u"Page");
    m_retrigger = new Kiv::GridLayout(DeviceSettings::RetriggerKeyCount + 1, 5);
    m_retrigger->set_style_subclass(u"Page");
    if (instance && global)
    {
        p_build_general(*instance, *global);
        p_build_retrigger(*instance, *global);
    }
    m_tabs->add_page(u"General", m_general);
    m_tabs->add_page(u"Retrigger keys", m_retrigger);
    set_contents(m_tabs);
    connect(on_closed(), this, &DeviceSettingsWindow::p_on_closed);
    if (PresetManager* manager = a_device.get_preset_manager())
        manager->get_loaded_signal().connect(this, &DeviceSettingsWindow::p_on_loaded);
}

DeviceSettingsWindow::~DeviceSettingsWindow()
{
    // Torn down with the editor while still open: the user's changes are kept all the same,
    // and there is nobody left to tell of a failure.
    if (!m_saved)
        p_save(false);
    // The editors tell the window's editor set when they go: they must go while it exists.
    while (!get_children().empty())
        delete get_children().back();
}

void DeviceSettingsWindow::p_build_general(DeviceSettings& a_instance,
                                           DeviceGlobalSettings& a_global)
{
    const char16_t* headers[] = {u"", u"Current", u"Default"};
    for (uint32_t column = 0; column < 3; ++column)
        m_general->set_child(0, column, new Kiv::Label(headers[column]));
    m_general->set_child(1, 0, new Kiv::Label(u"Parameter smoothness:"));
    m_general->set_child(1, 1,
                         create_settings_filler(m_editor_set, a_instance.m_smoothness_parameter));
    m_general->set_child(1, 2,
                         create_settings_filler(m_editor_set, a_global.m_smoothness_parameter));
    m_general->set_child(2, 0, new Kiv::Label(u"Modulation visualization:"));
    m_general->set_child(
        2, 1,
        create_settings_choice(m_editor_set, a_instance.m_modulation_visualization_parameter));
    m_general->set_child(
        2, 2, create_settings_choice(m_editor_set, a_global.m_modulation_visualization_parameter));
    // One scale for every editor on this computer: it has no value of its own per instance.
    m_general->set_child(3, 0, new Kiv::Label(u"Display scale:"));
    m_general->set_child(3, 2,
                         create_settings_choice(m_editor_set, a_global.m_display_scale_parameter));
    // Every cell as wide as its column, and the rows at the top of the page however tall the
    // other page makes it.
    for (uint32_t row = 0; row < 4; ++row)
    {
        for (uint32_t column = 0; column < 3; ++column)
        {
            if (Kiv::Widget* cell = m_general->get_child(row, column))
                cell->set_horizontally_stretchable(true);
        }
    }
    auto* rest = new Kiv::Widget();
    rest->set_vertically_stretchable(true);
    m_general->set_child(4, 0, rest);
}

void DeviceSettingsWindow::p_build_retrigger(DeviceSettings& a_instance, DeviceSettings& a_global)
{
    const char16_t* headers[] = {u"", u"Current channel", u"Current key", u"Default channel",
                                 u"Default key"};
    for (uint32_t column = 0; column < 5; ++column)
        m_retrigger->set_child(0, column, new Kiv::Label(headers[column]));
    for (uint32_t key = 0; key < DeviceSettings::RetriggerKeyCount; ++key)
    {
        const uint32_t row = key + 1;
        m_retrigger->set_child(row, 0,
                               new Kiv::Label(Bex::String::from_number(int64_t(key) + 1) + u":"));
        m_retrigger->set_child(
            row, 1,
            create_settings_choice(m_editor_set, a_instance.m_retrigger_channel_parameters[key]));
        m_retrigger->set_child(row, 2,
                               create_settings_retrigger_key(
                                   m_editor_set, a_instance.m_retrigger_key_parameters[key]));
        m_retrigger->set_child(
            row, 3,
            create_settings_choice(m_editor_set, a_global.m_retrigger_channel_parameters[key]));
        m_retrigger->set_child(
            row, 4,
            create_settings_retrigger_key(m_editor_set, a_global.m_retrigger_key_parameters[key]));
    }
}

void DeviceSettingsWindow::show_on(Kiv::Desktop& a_desktop)
{
    m_saved = false;
    if (get_parent() != &a_desktop)
        a_desktop.add_window(this);
}

void DeviceSettingsWindow::idle()
{
    if (!m_refresh_pending)
        return;
    m_refresh_pending = false;
    const Bex::Vector<SingleParameterEditor*> editors = m_editor_set.get_editors();
    for (SingleParameterEditor* editor : editors)
        editor->refresh();
}

void DeviceSettingsWindow::p_save(bool a_report_failure)
{
    m_saved = true;
    try
    {
        m_device.save_global_settings();
    }
    catch (const Bex::Exception&)
    {
        if (a_report_failure && get_desktop())
            Kiv::MessageDialog::show(*get_desktop(), u"Error",
                                     u"There was an error while saving default settings.",
                                     Kiv::MessageDialogButtons_OK);
    }
}

void DeviceSettingsWindow::p_on_closed()
{
    p_save(true);
}

} // namespace Tonvik
