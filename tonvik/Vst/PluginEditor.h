#pragma once

#include "bex/Signals/Trackable.h"
#include "vst/AEffEditor.h"

#include <memory>

namespace Kiv
{
class Desktop;
}

namespace Tonvik
{

class Device;
class DeviceGui;
class EditorWindow;
class VstHost;

// The editor as the host sees it: the toolkit's window inside the host's, the device's editor in
// it, the host's window kept within the editor's sizes, and the host's keys and wheel passed on.
// Everything runs on the host's GUI thread; nothing here may throw toward the host.
class PluginEditor : public AEffEditor, public Bex::Trackable
{
public:
    explicit PluginEditor(VstHost& a_host);
    ~PluginEditor() override;

    bool getRect(ERect** a_rect) override;
    bool open(void* a_parent) override;
    void close() override;
    void idle() override;
    bool onKeyDown(VstKeyCode& a_key) override;
    bool onKeyUp(VstKeyCode& a_key) override;

    // The vendor-specific wheel message: a_distance notches at the pointer. False when no window
    // is open or the pointer cannot be found.
    bool post_wheel(float a_distance);

    Kiv::Desktop* get_desktop() const { return m_desktop.get(); }
    DeviceGui* get_gui() const { return m_gui; }

private:
    void p_open(void* a_parent);
    void p_build_gui();
    void p_fit_host_window();
    // The "Display scale" setting in percent; 0 for the display's own scale.
    uint32_t p_scale_setting() const;
    float p_scale() const
    {
        return m_scale_setting ? float(m_scale_setting) / 100.0f : m_display_scale;
    }
    // Rescales an open editor to the setting and asks the host for the size it now prefers.
    void p_apply_scale_setting();
    void p_on_requested_sizes_changed();

    VstHost& m_host;
    Device& m_device;
    std::unique_ptr<EditorWindow> m_window;
    std::unique_ptr<Kiv::Desktop> m_desktop;
    DeviceGui* m_gui = nullptr;
    ERect m_rect{};
    float m_wheel_rest = 0.0f;
    // What the display asked for when the editor opened: reading it again may mean a round trip
    // to the display server, too slow for every idle call.
    float m_display_scale = 1.0f;
    uint32_t m_scale_setting = 0;
};

} // namespace Tonvik
