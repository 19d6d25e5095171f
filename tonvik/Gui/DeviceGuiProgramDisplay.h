#pragma once

#include "bex/Signals/Trackable.h"
#include "kiv/Widgets/ComboBox.h"

#include <atomic>
#include <thread>

namespace Tonvik
{

class DeviceGuiConcrete;
class PresetFolder;
class PresetManager;
struct OnPresetInformationChanged;

// The preset chooser: the preset folder as a menu tree, the current preset checked. It follows
// the preset manager, and choosing a preset opens it.
class DeviceGuiProgramDisplay : public Kiv::ComboBox
{
public:
    static Kiv::WidgetClass s_widget_class;

    // a_gui: the editor whose top window shows the errors.
    DeviceGuiProgramDisplay(DeviceGuiConcrete& a_gui, PresetManager* a_manager);
    const Kiv::WidgetClass& get_widget_class() const override;

    // Builds the tree anew from the manager.
    void rebuild();
    // The editor's idle step: rebuilds when the manager changed from another thread.
    void idle();

private:
    // True when the current preset lies in a_folder.
    bool p_add_folder(Kiv::MenuItem& a_menu, const PresetFolder& a_folder);
    void p_on_information_changed(OnPresetInformationChanged&);
    void p_on_item_chosen(Kiv::MenuEvent& a_event);

    DeviceGuiConcrete& m_gui;
    PresetManager* m_manager;
    // The manager may change on whatever thread the host loads a chunk on; the widget tree
    // belongs to the editor's thread, which rebuilds at its next idle step.
    std::thread::id m_editor_thread;
    std::atomic<bool> m_stale{false};
};

} // namespace Tonvik
