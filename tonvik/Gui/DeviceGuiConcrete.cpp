#include "tonvik/Gui/DeviceGuiConcrete.h"

#include "bex/Containers/Map.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Windows/MessageDialog.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Gui/DeviceGuiParameterDisplay.h"
#include "tonvik/Gui/DevicePanel.h"
#include "tonvik/Gui/EditorHintText.h"
#include "tonvik/Gui/GuiClassKeeper.h"
#include "tonvik/Gui/SingleParameterEditor.h"
#include "tonvik/Gui/VariationSwitch.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterVariation.h"

namespace Tonvik
{

Kiv::WidgetClass DeviceGuiConcrete::s_widget_class("DeviceGuiConcrete", "VerticalLayout");

DeviceGuiConcrete::DeviceGuiConcrete(Device& a_device) : DeviceGui(a_device)
{
    keep_gui_classes();
    m_panel = new DevicePanel(*this);
    add(m_panel);
    m_parameter_display = &m_panel->get_parameter_display();
    connect(on_desktop_changed(), this, &DeviceGuiConcrete::p_on_desktop_changed);
}

DeviceGuiConcrete::~DeviceGuiConcrete()
{
    if (m_input_listener && m_listened_desktop)
        m_listened_desktop->get_input_listeners().remove(m_input_listener.get());
    m_input_listener.reset();
    if (m_variation_menu)
        m_variation_menu->close();
    m_hovered_editor = nullptr;
    // The editors below tell this object when they go, so they must go while it is whole: now,
    // not deferred to the end of an event as destroy() would.
    while (!get_children().empty())
        delete get_children().back();
}

const Kiv::WidgetClass& DeviceGuiConcrete::get_widget_class() const
{
    return s_widget_class;
}

void DeviceGuiConcrete::idle()
{
    DeviceGui::idle();
    if (m_full_refresh)
    {
        m_full_refresh = false;
        p_refresh_all();
    }
    if (m_panel)
        m_panel->idle();
}

SingleParameterEditor* DeviceGuiConcrete::get_hovered_editor() const
{
    return p_is_editor(m_hovered_editor) ? m_hovered_editor : nullptr;
}

void DeviceGuiConcrete::update_hint(SingleParameterEditor* a_editor)
{
    if (a_editor && a_editor == get_hovered_editor())
        p_show_hint();
}

SingleParameterEditor* DeviceGuiConcrete::find_editor(const Kiv::Widget* a_widget) const
{
    if (!a_widget)
        return nullptr;
    Bex::Map<const Kiv::Widget*, SingleParameterEditor*> by_widget;
    for (SingleParameterEditor* editor : get_editors())
    {
        if (editor && editor->get_widget())
            by_widget[editor->get_widget()] = editor;
    }
    for (const Kiv::Widget* widget = a_widget; widget; widget = widget->get_parent())
    {
        auto found = by_widget.find(widget);
        if (found != by_widget.end())
            return found->second;
    }
    return nullptr;
}

bool DeviceGuiConcrete::p_is_editor(const SingleParameterEditor* a_editor) const
{
    if (!a_editor)
        return false;
    for (const SingleParameterEditor* editor : get_editors())
    {
        if (editor == a_editor)
            return true;
    }
    return false;
}

void DeviceGuiConcrete::p_set_hovered(SingleParameterEditor* a_editor, Kiv::Widget* a_widget)
{
    m_hovered_widget = a_widget;
    SingleParameterEditor* old = get_hovered_editor();
    if (a_editor == old)
        return;
    m_hovered_editor = a_editor;
    m_hovered_parameter = a_editor ? a_editor->get_parameter() : nullptr;
    // The overlay shows the modulation of the hovered editor only, in some settings.
    for (SingleParameterEditor* editor : {old, a_editor})
    {
        if (editor && editor->has_modulation_overlay() && editor->get_widget())
            editor->get_widget()->invalidate();
    }
    p_show_hint();
}

void DeviceGuiConcrete::p_show_hint()
{
    SingleParameterEditor* editor = get_hovered_editor();
    m_parameter_display->set_text(editor ? get_editor_hint_text(*editor) : Bex::String());
}

void DeviceGuiConcrete::p_refresh_all()
{
    const Bex::Vector<SingleParameterEditor*> editors = get_editors();
    for (SingleParameterEditor* editor : editors)
    {
        if (p_is_editor(editor))
            editor->refresh();
    }
}

void DeviceGuiConcrete::p_on_desktop_changed(Kiv::WidgetEvents::OnDesktopChanged& a_event)
{
    if (a_event.widget != this)
        return;
    if (m_input_listener && m_listened_desktop)
        m_listened_desktop->get_input_listeners().remove(m_input_listener.get());
    m_old_input_listener = std::move(m_input_listener);
    m_listened_desktop = a_event.new_desktop;
    p_set_hovered(nullptr, nullptr);
    if (!m_listened_desktop)
        return;
    m_input_listener = std::make_unique<Kiv::InputListener>(m_listened_desktop);
    m_input_listener->set_wanted(Kiv::InputListenerStage_AFTER, Kiv::InputEventType_MOUSE_OVER,
                                 true);
    m_input_listener->set_wanted(Kiv::InputListenerStage_AFTER, Kiv::InputEventType_MOUSE_OUT,
                                 true);
    m_input_listener->set_wanted(Kiv::InputListenerStage_AFTER, Kiv::InputEventType_MOUSE_DOWN,
                                 true);
    m_input_listener->on_input().connect(this, &DeviceGuiConcrete::p_on_input);
    m_listened_desktop->get_input_listeners().add(m_input_listener.get());
}

void DeviceGuiConcrete::p_on_input(Kiv::InputEvent& a_event)
{
    switch (a_event.type)
    {
    case Kiv::InputEventType_MOUSE_OVER:
        p_set_hovered(find_editor(a_event.target), a_event.target);
        break;
    case Kiv::InputEventType_MOUSE_OUT:
        // The mouse left the window, or the next widget's over event follows and corrects it.
        if (a_event.target == m_hovered_widget)
            p_set_hovered(nullptr, nullptr);
        break;
    case Kiv::InputEventType_MOUSE_DOWN:
        if (a_event.button == Kiv::MouseButton_RIGHT && !a_event.consumed)
        {
            if (SingleParameterEditor* editor = find_editor(a_event.target))
                open_variation_menu(*editor, a_event.position);
        }
        break;
    default:
        break;
    }
}

bool DeviceGuiConcrete::open_variation_menu(SingleParameterEditor& a_editor, Kiv::Point a_position)
{
    Parameter* parameter = a_editor.get_parameter();
    Kiv::Widget* widget = a_editor.get_widget();
    if (!parameter || parameter->m_variations.size() < 2 || !widget || !widget->get_desktop())
        return false;
    if (m_variation_menu)
        m_variation_menu->close();
    Kiv::MenuItem root;
    Kiv::MenuItem& variations = root.add_submenu(u"Variations");
    for (size_t i = 0; i < parameter->m_variations.size(); ++i)
    {
        ParameterVariation* variation = parameter->m_variations[i];
        Kiv::MenuItem& item = variations.add(variation->m_name, uint64_t(i) + 1);
        item.checked = variation == parameter->m_current_variation;
    }
    m_variation_parameter = parameter;
    m_variation_menu =
        &Kiv::PopupMenu::open(*widget->get_desktop(), {a_position.x, a_position.y, 0, 0}, root);
    m_variation_menu->on_chosen().connect(this, &DeviceGuiConcrete::p_on_variation_chosen);
    m_variation_menu->on_closed().connect(this, &DeviceGuiConcrete::p_on_variation_menu_closed);
    return true;
}

void DeviceGuiConcrete::p_on_variation_chosen(Kiv::MenuEvent& a_event)
{
    Parameter* parameter = m_variation_parameter;
    // The editor, and with it the parameter, may have gone while the menu was open.
    bool alive = false;
    for (SingleParameterEditor* editor : get_editors())
        alive = alive || editor->get_parameter() == parameter;
    const size_t index = size_t(a_event.item->data);
    if (!alive || index == 0 || index > parameter->m_variations.size())
        return;
    choose_variation(parameter, parameter->m_variations[index - 1]);
}

void DeviceGuiConcrete::p_on_variation_menu_closed()
{
    m_variation_menu = nullptr;
    m_variation_parameter = nullptr;
}

void DeviceGuiConcrete::choose_variation(Parameter* a_parameter, ParameterVariation* a_variation)
{
    const bool restored = switch_variation(*a_parameter, a_variation);
    const Bex::Vector<SingleParameterEditor*> editors = get_editors();
    for (SingleParameterEditor* editor : editors)
    {
        if (p_is_editor(editor) && editor->get_parameter() == a_parameter)
        {
            editor->refresh();
            update_hint(editor);
        }
    }
    if (!restored)
        show_error(u"Cannot denormalize parameter after changing variation.");
}

Kiv::Widget& DeviceGuiConcrete::get_dialog_owner()
{
    Kiv::Widget* window = get_window();
    return window ? *window : *this;
}

void DeviceGuiConcrete::show_error(const Bex::String& a_text)
{
    if (!get_desktop())
        return;
    Kiv::MessageDialog::show(get_dialog_owner(), u"Error", a_text, Kiv::MessageDialogButtons_OK);
}

} // namespace Tonvik
