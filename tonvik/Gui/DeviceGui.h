#pragma once

#include "bex/Core/Vector.h"

#include <cstdint>

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
enum ModulationVisualization : uint32_t;

// The editor of a device, whatever it shows. It keeps the parameter editors that stand in it, so
// that the device's changes reach them, and runs the idle step of the editor bridge. Editors
// that outlive it (their widgets are destroyed later) are cut loose from it first.
class DeviceGui
{
public:
    explicit DeviceGui(Device& a_device);
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
    // The editor whose widget is a_widget or holds it; null when none does.
    SingleParameterEditor* find_editor(const Kiv::Widget* a_widget) const;
    // The instance setting; "All" while the device has no instance settings.
    ModulationVisualization get_modulation_visualization() const;

    // Called by editors when they are made and destroyed.
    size_t p_add_editor(SingleParameterEditor* a_editor);
    void p_remove_editor(size_t a_index);

protected:
    // Refreshes the editors of the parameters that the device reports changed, or of every
    // parameter after a load or a reset.
    void p_refresh_changed_parameters();
    // Repaints the editors that show modulation, as the visualization setting asks.
    void p_repaint_modulated_editors();

private:
    bool p_has_editor(const SingleParameterEditor* a_editor) const;
    void p_refresh_all(const Bex::Vector<SingleParameterEditor*>& a_editors);

    Device& m_device;
    Bex::Vector<SingleParameterEditor*> m_editors;
    Bex::Vector<Parameter*> m_changed;
    // Counts additions and removals, so that a refresh notices editors going away under it.
    uint64_t m_editor_generation = 0;
    // The hovered editor whose overlay the last idle call painted.
    SingleParameterEditor* m_overlay_editor = nullptr;
};

} // namespace Tonvik
