#pragma once

#include "bex/Core/Vector.h"

namespace Kiv
{
class VerticalLayout;
class Widget;
} // namespace Kiv

namespace Tonvik
{

class Device;
class Parameter;
class SingleParameterEditor;

// The editor of a device, whatever it shows. It keeps the parameter editors that stand in it, so
// that the device's changes reach them, and runs the idle step of the editor bridge.
class DeviceGui
{
public:
    explicit DeviceGui(Device& a_device) : m_device(a_device) {}
    DeviceGui(const DeviceGui&) = delete;
    DeviceGui& operator=(const DeviceGui&) = delete;
    virtual ~DeviceGui();

    Device& get_device() const { return m_device; }
    // The root widget that the editor bridge puts into its window.
    virtual Kiv::Widget& get_root_widget() = 0;
    // The lines of the About window.
    virtual void build_about_contents(Kiv::VerticalLayout&) {}
    // On every idle call of the host: the changed parameters' editors refresh, and modulated
    // editors repaint as the settings ask.
    virtual void idle();

    const Bex::Vector<SingleParameterEditor*>& get_editors() const { return m_editors; }
    // The editor under the mouse, for hints and modulation overlays; null when none is.
    virtual SingleParameterEditor* get_hovered_editor() const { return nullptr; }
    // The hint of this editor changed (its value, say): show it again when it is the hovered one.
    virtual void update_hint(SingleParameterEditor*) {}

    // Called by editors when they are made and destroyed.
    size_t p_add_editor(SingleParameterEditor* a_editor);
    void p_remove_editor(size_t a_index);

protected:
    // Refreshes the editors of the parameters that the device reports changed, or of every
    // parameter after a load or a reset.
    void p_refresh_changed_parameters();

private:
    Device& m_device;
    Bex::Vector<SingleParameterEditor*> m_editors;
    Bex::Vector<Parameter*> m_changed;
};

} // namespace Tonvik
