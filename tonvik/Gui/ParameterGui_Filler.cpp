#include "tonvik/Gui/ParameterGui_Filler.h"

#include "kiv/Graphics/Painter.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Gui/DeviceGui.h"
#include "tonvik/ParameterTypes/FloatParameter.h"

#include <algorithm>

namespace Tonvik
{

namespace
{

// A modulation word of 2 asks for the marker even where the value leaves the range.
constexpr uint32_t g_unbounded_modulation_word = 2;

} // namespace

ParameterGui_Filler::ParameterGui_Filler(DeviceGui& a_gui, FloatParameter* a_parameter)
    : SingleParameterEditor(a_gui, a_parameter)
{
    set_widget(this);
    m_relayout_on_definition_change = true;
    m_second_flag = true;
    connect(on_drag_begun(), this, &ParameterGui_Filler::p_on_drag_begun);
    connect(on_drag_ended(), this, &ParameterGui_Filler::p_on_drag_ended);
    connect(on_value_changed(), this, &ParameterGui_Filler::p_on_value_changed);
    refresh();
}

FloatParameter* ParameterGui_Filler::p_float() const
{
    return static_cast<FloatParameter*>(get_parameter());
}

void ParameterGui_Filler::refresh()
{
    FloatParameter* parameter = p_float();
    if (!parameter || m_refreshing)
        return;
    m_refreshing = true;
    p_apply_origin();
    set_value(parameter->get_normalized_value(), true);
    set_label_number(parameter->get_external_value());
    m_refreshing = false;
}

void ParameterGui_Filler::on_parameter_variation_changed(Parameter* a_parameter)
{
    p_apply_origin();
    SingleParameterEditor::on_parameter_variation_changed(a_parameter);
}

void ParameterGui_Filler::p_apply_origin()
{
    FloatParameter* parameter = p_float();
    const auto* variation =
        parameter ? static_cast<FloatParameterVariation*>(parameter->m_current_variation) : nullptr;
    if (!variation)
        return;
    switch (variation->m_editor_origin)
    {
    case EditorOrigin_MIDDLE:
        set_origin(0.5);
        set_swapped(false);
        break;
    case EditorOrigin_START_SWAPPED:
        set_origin(0.0);
        set_swapped(true);
        break;
    case EditorOrigin_START:
        set_origin(0.0);
        set_swapped(false);
        break;
    default:
        break;
    }
}

void ParameterGui_Filler::p_on_value_changed(Kiv::FillerEvent& a_event)
{
    FloatParameter* parameter = p_float();
    if (a_event.from_parameter || m_refreshing || !parameter)
        return;
    parameter->set_normalized_value(float(get_value()));
    set_label_number(parameter->get_external_value());
    p_update_hint();
}

bool ParameterGui_Filler::get_modulated_position(double& a_position) const
{
    FloatParameter* parameter = p_float();
    if (!parameter || !parameter->is_modulated() || !parameter->m_output || !has_gui())
        return false;
    DeviceGui& gui = get_gui();
    const ModulationVisualization visualization = gui.get_modulation_visualization();
    if (visualization == ModulationVisualization_NONE)
        return false;
    if (visualization == ModulationVisualization_BELOW_MOUSE_CURSOR &&
        gui.get_hovered_editor() != this)
        return false;
    const float sample_rate =
        parameter->m_device ? parameter->m_device->get_sample_rate() : 1000.0f;
    const float external = parameter->m_to_external(parameter->m_output[0], sample_rate);
    const double position = parameter->normalize(external);
    const bool inside = position >= 0.0 && position <= 1.0;
    if (!inside && parameter->m_modulation_word != g_unbounded_modulation_word)
        return false;
    // NaN fails both comparisons and lands on the start.
    a_position = inside ? position : position > 1.0 ? 1.0 : 0.0;
    return true;
}

void ParameterGui_Filler::do_paint_overlay(Kiv::Painter& a_painter, Kiv::Size a_size)
{
    double position = 0.0;
    if (!get_modulated_position(position))
        return;
    paint_marker(a_painter, value_to_x(position, a_size.width), a_size.height,
                 get_nonsignalling_indicator_pen(), true);
}

} // namespace Tonvik
