#include "tonvik/Gui/SingleParameterEditor.h"

#include "bex/Core/Assert.h"
#include "kiv/Widget/Widget.h"
#include "tonvik/Devices/Host.h"
#include "tonvik/Gui/DeviceGui.h"
#include "tonvik/Gui/ParameterEditorHint.h"
#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

SingleParameterEditor::SingleParameterEditor(DeviceGui& a_gui, Parameter* a_parameter)
    : m_gui(&a_gui), m_parameter(a_parameter)
{
    BEX_ASSERT(a_parameter);
    m_hint = std::make_unique<ParameterEditorHint>(a_parameter);
    m_index = a_gui.p_add_editor(this);
    a_parameter->add_editor(this);
}

SingleParameterEditor::~SingleParameterEditor()
{
    if (m_parameter)
    {
        while (m_open_gestures)
            p_close_gesture();
        m_parameter->remove_editor(this);
    }
    if (m_gui)
        m_gui->p_remove_editor(m_index);
}

DeviceGui& SingleParameterEditor::get_gui() const
{
    BEX_ASSERT(m_gui);
    return *m_gui;
}

void SingleParameterEditor::set_widget(Kiv::Widget* a_widget)
{
    BEX_ASSERT(!m_widget);
    BEX_ASSERT(a_widget);
    m_widget = a_widget;
}

void SingleParameterEditor::on_parameter_destroyed(Parameter*)
{
    // Gestures left open die with the parameter; the host forgets them with it.
    m_parameter = nullptr;
    m_open_gestures = 0;
    m_hint->set_parameter(nullptr);
    if (m_widget)
        m_widget->set_enabled(false);
}

void SingleParameterEditor::on_parameter_definition_changed(Parameter*)
{
    if (!m_widget)
        return;
    if (m_relayout_on_definition_change)
        m_widget->request_layout(Kiv::WidgetLayoutFlag_MEASURE | Kiv::WidgetLayoutFlag_ARRANGE);
    // Modulation that starts or stops changes what overlays show.
    m_widget->invalidate();
}

void SingleParameterEditor::on_parameter_variation_changed(Parameter*)
{
    if (m_second_flag && m_parameter)
        refresh();
}

void SingleParameterEditor::p_open_gesture()
{
    if (!m_parameter)
        return;
    if (++m_parameter->m_edit_depth == 1 && m_parameter->m_host)
        m_parameter->m_host->begin_edit(m_parameter);
    ++m_open_gestures;
}

void SingleParameterEditor::p_close_gesture()
{
    if (!m_parameter || m_open_gestures == 0)
        return;
    --m_open_gestures;
    if (--m_parameter->m_edit_depth == 0 && m_parameter->m_host)
        m_parameter->m_host->end_edit(m_parameter);
}

void SingleParameterEditor::p_update_hint()
{
    if (m_gui)
        m_gui->update_hint(this);
}

} // namespace Tonvik
