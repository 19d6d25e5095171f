#include "tonvik/Gui/DeviceGui.h"

#include "bex/Core/Assert.h"
#include "kiv/Widget/Widget.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Gui/SingleParameterEditor.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Parameters/Parameter.h"

#include <algorithm>

namespace Tonvik
{

namespace
{

bool is_modulated(const SingleParameterEditor* a_editor)
{
    Parameter* parameter = a_editor->get_parameter();
    Modulatee* modulatee = parameter ? parameter->get_modulatee() : nullptr;
    return modulatee && modulatee->is_modulated();
}

} // namespace

DeviceGui::DeviceGui(Device& a_device) : m_device(a_device) {}

DeviceGui::~DeviceGui()
{
    // The widgets, and with them the editors, may be destroyed after this object (by the window
    // that holds them): they must not come back to it then.
    for (SingleParameterEditor* editor : m_editors)
        editor->p_forget_gui();
    m_editors.clear();
    if (m_device.m_gui == this)
        m_device.m_gui = nullptr;
}

void DeviceGui::idle()
{
    p_refresh_changed_parameters();
    p_repaint_modulated_editors();
}

SingleParameterEditor* DeviceGui::find_editor(const Kiv::Widget* a_widget) const
{
    for (const Kiv::Widget* widget = a_widget; widget; widget = widget->get_parent())
    {
        for (SingleParameterEditor* editor : m_editors)
        {
            if (editor->get_widget() == widget)
                return editor;
        }
    }
    return nullptr;
}

ModulationVisualization DeviceGui::get_modulation_visualization() const
{
    const DeviceInstanceSettings* settings = m_device.get_instance_settings();
    return settings ? settings->m_modulation_visualization : ModulationVisualization_ALL;
}

size_t DeviceGui::p_add_editor(SingleParameterEditor* a_editor)
{
    BEX_ASSERT(a_editor);
    m_editors.push_back(a_editor);
    ++m_editor_generation;
    return m_editors.size() - 1;
}

void DeviceGui::p_remove_editor(size_t a_index)
{
    BEX_ASSERT(a_index < m_editors.size());
    if (m_editors[a_index] == m_overlay_editor)
        m_overlay_editor = nullptr;
    SingleParameterEditor* last = m_editors.back();
    m_editors[a_index] = last;
    last->p_set_index(a_index);
    m_editors.pop_back();
    ++m_editor_generation;
}

bool DeviceGui::p_has_editor(const SingleParameterEditor* a_editor) const
{
    return std::find(m_editors.begin(), m_editors.end(), a_editor) != m_editors.end();
}

void DeviceGui::p_refresh_all(const Bex::Vector<SingleParameterEditor*>& a_editors)
{
    const uint64_t generation = m_editor_generation;
    for (SingleParameterEditor* editor : a_editors)
    {
        // A refresh may destroy other editors (a choice that rebuilds a page, say); only the
        // pointers still registered are safe to follow.
        if (m_editor_generation != generation && !p_has_editor(editor))
            continue;
        if (editor->get_parameter())
            editor->refresh();
    }
}

void DeviceGui::p_refresh_changed_parameters()
{
    // Taken even when a full refresh follows, so that the device's lists start empty again.
    m_device.take_changed_parameters(m_changed);
    const bool full = m_device.take_full_refresh();
    if (!full && m_changed.empty())
        return;
    Bex::Vector<SingleParameterEditor*> targets;
    if (full)
        targets = m_editors;
    else
    {
        std::sort(m_changed.begin(), m_changed.end());
        for (SingleParameterEditor* editor : m_editors)
        {
            if (std::binary_search(m_changed.begin(), m_changed.end(), editor->get_parameter()))
                targets.push_back(editor);
        }
    }
    SingleParameterEditor* hovered = get_hovered_editor();
    const bool hovered_changed =
        hovered && std::find(targets.begin(), targets.end(), hovered) != targets.end();
    m_changed.clear();
    p_refresh_all(targets);
    if (hovered_changed && p_has_editor(hovered))
        update_hint(hovered);
}

void DeviceGui::p_repaint_modulated_editors()
{
    const ModulationVisualization visualization = get_modulation_visualization();
    SingleParameterEditor* hovered = visualization == ModulationVisualization_BELOW_MOUSE_CURSOR
                                         ? get_hovered_editor()
                                         : nullptr;
    // The editor whose overlay was painted below the mouse loses it when the mouse or the
    // setting moved on.
    if (m_overlay_editor && m_overlay_editor != hovered && m_overlay_editor->get_widget())
        m_overlay_editor->get_widget()->invalidate();
    m_overlay_editor = nullptr;
    if (visualization == ModulationVisualization_NONE)
        return;
    if (visualization == ModulationVisualization_ALL)
    {
        for (SingleParameterEditor* editor : m_editors)
        {
            if (editor->has_modulation_overlay() && editor->get_widget() && is_modulated(editor))
                editor->get_widget()->invalidate();
        }
        return;
    }
    if (hovered && hovered->has_modulation_overlay() && hovered->get_widget() &&
        is_modulated(hovered))
    {
        hovered->get_widget()->invalidate();
        m_overlay_editor = hovered;
    }
}

} // namespace Tonvik
