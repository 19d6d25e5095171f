// The parameter editors' side of the device editor, as small as the frame's tests need, for a tree
// that does not have them yet.
#include "tonvik/Devices/Device.h"
#include "tonvik/Gui/DeviceGui.h"
#include "tonvik/Gui/SingleParameterEditor.h"
#include "tonvik/Parameters/Parameter.h"

#include <algorithm>

namespace Tonvik
{

class ParameterEditorHint
{
};

DeviceGui::~DeviceGui() = default;

void DeviceGui::idle()
{
    p_refresh_changed_parameters();
}

size_t DeviceGui::p_add_editor(SingleParameterEditor* a_editor)
{
    m_editors.push_back(a_editor);
    return m_editors.size() - 1;
}

void DeviceGui::p_remove_editor(size_t a_index)
{
    m_editors.remove_at(a_index);
    for (size_t i = a_index; i < m_editors.size(); ++i)
        m_editors[i]->p_set_index(i);
}

void DeviceGui::p_refresh_changed_parameters()
{
    m_device.take_changed_parameters(m_changed);
    const bool all = m_device.take_full_refresh();
    const Bex::Vector<SingleParameterEditor*> editors = m_editors;
    for (SingleParameterEditor* editor : editors)
    {
        if (all || std::find(m_changed.begin(), m_changed.end(), editor->get_parameter()) !=
                       m_changed.end())
            editor->refresh();
    }
}

SingleParameterEditor::SingleParameterEditor(DeviceGui& a_gui, Parameter* a_parameter)
    : m_gui(a_gui), m_parameter(a_parameter)
{
    m_index = m_gui.p_add_editor(this);
    if (m_parameter)
        m_parameter->add_editor(this);
}

SingleParameterEditor::~SingleParameterEditor()
{
    if (m_parameter)
        m_parameter->remove_editor(this);
    m_gui.p_remove_editor(m_index);
}

void SingleParameterEditor::set_widget(Kiv::Widget* a_widget)
{
    m_widget = a_widget;
}

void SingleParameterEditor::on_parameter_destroyed(Parameter*)
{
    m_parameter = nullptr;
    refresh();
}

void SingleParameterEditor::on_parameter_definition_changed(Parameter*)
{
    refresh();
}

void SingleParameterEditor::on_parameter_variation_changed(Parameter*)
{
    refresh();
}

void SingleParameterEditor::p_open_gesture()
{
    ++m_open_gestures;
}

void SingleParameterEditor::p_close_gesture()
{
    --m_open_gestures;
}

} // namespace Tonvik
