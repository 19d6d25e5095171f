#pragma once

#include "kiv/Windows/NormalWindow.h"
#include "tonvik/Gui/DeviceGui.h"

namespace Kiv
{
class Desktop;
class GridLayout;
class Tabs;
} // namespace Kiv

namespace Tonvik
{

class DeviceGlobalSettings;
class DeviceSettings;
struct PresetLoadedEvent;

// "Settings": the instance's settings beside the global defaults, on a "General" and a
// "Retrigger keys" page. Closing the window saves the defaults to the settings file; a window
// that goes away without being closed saves them silently.
class DeviceSettingsWindow : public Kiv::NormalWindow
{
public:
    explicit DeviceSettingsWindow(Device& a_device);
    ~DeviceSettingsWindow() override;

    // Shows the window on a_desktop unless it stands there already; the defaults will be saved
    // again on the next close.
    void show_on(Kiv::Desktop& a_desktop);
    bool has_saved() const { return m_saved; }
    // The editors of the window are bound to a device editor of the window's own, which lives
    // exactly as long as they do.
    DeviceGui& get_editor_set() { return m_editor_set; }
    Kiv::Tabs& get_tabs() const { return *m_tabs; }
    Kiv::GridLayout& get_general_grid() const { return *m_general; }
    Kiv::GridLayout& get_retrigger_grid() const { return *m_retrigger; }
    // Refreshes the editors after a state load changed the settings.
    void idle();

private:
    class EditorSet : public DeviceGui
    {
    public:
        EditorSet(Device& a_device, Kiv::Widget& a_root) : DeviceGui(a_device), m_root(a_root) {}
        Kiv::Widget& get_root_widget() override { return m_root; }

    private:
        Kiv::Widget& m_root;
    };

    void p_build_general(DeviceSettings& a_instance, DeviceGlobalSettings& a_global);
    void p_build_retrigger(DeviceSettings& a_instance, DeviceSettings& a_global);
    void p_save(bool a_report_failure);
    void p_on_closed();
    void p_on_loaded(PresetLoadedEvent&) { m_refresh_pending = true; }

    Device& m_device;
    EditorSet m_editor_set;
    Kiv::Tabs* m_tabs = nullptr;
    Kiv::GridLayout* m_general = nullptr;
    Kiv::GridLayout* m_retrigger = nullptr;
    bool m_saved = false;
    bool m_refresh_pending = false;
};

} // namespace Tonvik
