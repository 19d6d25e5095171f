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
    // The scale the settings ask for, or the display's own.
    float p_wanted_scale() const;
    // Rescales an open editor and asks the host for the size it now prefers.
    void p_apply_scale();
    void p_on_requested_sizes_changed();

    VstHost& m_host;
    Device& m_device;
    std::unique_ptr<EditorWindow> m_window;
    std::unique_ptr<Kiv::Desktop> m_desktop;
    DeviceGui* m_gui = nullptr;
    ERect m_rect{};
    float m_wheel_rest = 0.0f;
    float m_scale = 1.0f;
};

} // namespace Tonvik
