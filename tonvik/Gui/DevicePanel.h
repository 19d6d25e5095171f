#pragma once

#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Widgets/MenuEvent.h"
#include "kiv/Windows/FileDialog.h"

#include <cstdint>

namespace Kiv
{
class PopupMenu;
class TextCommandButton;
} // namespace Kiv

namespace Tonvik
{

class Device;
class DeviceAboutWindow;
class DeviceGuiConcrete;
class DeviceGuiParameterDisplay;
class DeviceGuiProgramDisplay;
class DeviceSettingsWindow;
class PresetArrowButton;
class PresetManager;

enum PanelCommand : uint64_t
{
    PanelCommand_LOAD_PRESET = 1,
    PanelCommand_SAVE_PRESET = 2,
    PanelCommand_REFRESH_PRESETS = 3,
    PanelCommand_RESET = 4,
    PanelCommand_CLEAR_PRESET = 5,
    PanelCommand_SETTINGS = 6,
    PanelCommand_ABOUT = 7,
};

// The preset bar over a device's editor: the preset chooser, previous and next, the "Menu..."
// button with the preset and device commands, and under them the hint line. Dialogs never block,
// so every command that asks first acts in the dialog's answer.
class DevicePanel : public Kiv::VerticalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit DevicePanel(DeviceGuiConcrete& a_gui);
    ~DevicePanel() override;
    const Kiv::WidgetClass& get_widget_class() const override;

    DeviceGuiProgramDisplay& get_program_display() const { return *m_program_display; }
    PresetArrowButton& get_previous_button() const { return *m_previous; }
    PresetArrowButton& get_next_button() const { return *m_next; }
    Kiv::TextCommandButton& get_menu_button() const { return *m_menu_button; }
    DeviceGuiParameterDisplay& get_parameter_display() const { return *m_parameter_display; }

    // The open panel menu, file dialog or question, or null.
    Kiv::PopupMenu* get_menu() const { return m_menu; }
    Kiv::FileDialog* get_file_dialog() const { return m_file_dialog; }
    Kiv::MessageDialog* get_question() const { return m_question; }
    DeviceAboutWindow* get_about_window() const { return m_about_window; }
    DeviceSettingsWindow* get_settings_window() const { return m_settings_window; }

    void open_menu();
    void run(PanelCommand a_command);
    // -1 for the previous preset, +1 for the next; nothing without a current preset.
    void step_preset(int32_t a_step);
    void idle();

private:
    PresetManager* p_manager() const;
    Device& p_device() const;
    void p_load_preset();
    void p_save_preset();
    void p_refresh_presets();
    void p_ask_clear_preset();
    void p_clear_preset();
    void p_show_settings();
    void p_show_about();
    void p_open_file_dialog(const Kiv::FileDialogOptions& a_options, bool a_saving);

    void p_on_previous() { step_preset(-1); }
    void p_on_next() { step_preset(1); }
    void p_on_menu_button() { open_menu(); }
    void p_on_menu_chosen(Kiv::MenuEvent& a_event);
    void p_on_menu_closed() { m_menu = nullptr; }
    void p_on_file_chosen(Kiv::FileDialogEvent& a_event);
    void p_on_clear_answered(Kiv::MessageDialogEvent& a_event);
    void p_on_about_closed() { m_about_window = nullptr; }
    void p_on_settings_closed() { m_settings_window = nullptr; }

    DeviceGuiConcrete& m_gui;
    DeviceGuiProgramDisplay* m_program_display;
    PresetArrowButton* m_previous;
    PresetArrowButton* m_next;
    Kiv::TextCommandButton* m_menu_button;
    DeviceGuiParameterDisplay* m_parameter_display;

    Kiv::PopupMenu* m_menu = nullptr;
    Kiv::FileDialog* m_file_dialog = nullptr;
    bool m_saving = false;
    Kiv::MessageDialog* m_question = nullptr;
    DeviceAboutWindow* m_about_window = nullptr;
    DeviceSettingsWindow* m_settings_window = nullptr;
};

} // namespace Tonvik
