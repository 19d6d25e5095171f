#pragma once

#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Widget/InputListener.h"
#include "kiv/Widgets/MenuEvent.h"
#include "tonvik/Gui/DeviceGui.h"

#include <memory>

namespace Kiv
{
class PopupMenu;
}

namespace Tonvik
{

class DevicePanel;
class DeviceGuiParameterDisplay;
class ParameterVariation;

// The root of a device's editor: the preset bar with the hint line on top, the device's own
// editors below it. It follows the mouse over its desktop to tell which parameter editor is
// hovered, opens the variation menu on a right click on an editor, and repaints modulated
// editors as the instance settings ask.
class DeviceGuiConcrete : public DeviceGui, public Kiv::VerticalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit DeviceGuiConcrete(Device& a_device);
    ~DeviceGuiConcrete() override;
    const Kiv::WidgetClass& get_widget_class() const override;

    Kiv::Widget& get_root_widget() override { return *this; }
    void idle() override;
    SingleParameterEditor* get_hovered_editor() const override;
    void update_hint(SingleParameterEditor* a_editor) override;

    DevicePanel& get_panel() const { return *m_panel; }
    DeviceGuiParameterDisplay& get_parameter_display() const { return *m_parameter_display; }
    // The widget under the mouse when it entered the hovered editor; only compared, never used.
    const Kiv::Widget* get_hovered_widget() const { return m_hovered_widget; }

    // Every editor shows its parameter anew at the next idle step.
    void request_full_refresh() { m_full_refresh = true; }
    // The editor whose widget is a_widget or holds it; null when none of this editor's does.
    SingleParameterEditor* find_editor(const Kiv::Widget* a_widget) const;

    // The menu of a_editor's variations at a_position (desktop coordinates); false, and no menu,
    // when its parameter has fewer than two.
    bool open_variation_menu(SingleParameterEditor& a_editor, Kiv::Point a_position);
    Kiv::PopupMenu* get_variation_menu() const { return m_variation_menu; }
    // Switches a_parameter to a_variation and shows an error when its value could not follow.
    void choose_variation(Parameter* a_parameter, ParameterVariation* a_variation);

    // Where dialogs are shown: over the editor's top window.
    Kiv::Widget& get_dialog_owner();
    // A message with caption "Error".
    void show_error(const Bex::String& a_text);

private:
    bool p_is_editor(const SingleParameterEditor* a_editor) const;
    void p_set_hovered(SingleParameterEditor* a_editor, Kiv::Widget* a_widget);
    void p_show_hint();
    void p_refresh_all();

    void p_on_desktop_changed(Kiv::WidgetEvents::OnDesktopChanged& a_event);
    void p_on_input(Kiv::InputEvent& a_event);
    void p_on_variation_chosen(Kiv::MenuEvent& a_event);
    void p_on_variation_menu_closed();

    std::unique_ptr<Kiv::InputListener> m_input_listener;
    // The listener of the previous desktop: it may be the one emitting when the editor leaves.
    std::unique_ptr<Kiv::InputListener> m_old_input_listener;
    Kiv::Desktop* m_listened_desktop = nullptr;

    SingleParameterEditor* m_hovered_editor = nullptr;
    Parameter* m_hovered_parameter = nullptr;
    Kiv::Widget* m_hovered_widget = nullptr;

    DevicePanel* m_panel;
    DeviceGuiParameterDisplay* m_parameter_display;
    bool m_full_refresh = false;

    Kiv::PopupMenu* m_variation_menu = nullptr;
    Parameter* m_variation_parameter = nullptr;
};

} // namespace Tonvik
