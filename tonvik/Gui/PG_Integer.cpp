#include "tonvik/Gui/PG_Integer.h"

#include "tonvik/ParameterTypes/P_Integer.h"

#include <cmath>

namespace Tonvik
{

PG_Integer::PG_Integer(DeviceGui& a_gui, P_Integer* a_parameter, double a_step_factor)
    : Kiv::IntegerEntry(a_parameter ? a_parameter->m_min : 0, a_parameter ? a_parameter->m_max : 0),
      SingleParameterEditor(a_gui, a_parameter),
      m_step_factor(a_step_factor != 0.0 ? a_step_factor : 1.0)
{
    set_widget(this);
    m_relayout_on_definition_change = true;
    connect(on_value_changed(), this, &PG_Integer::p_on_value_changed);
    refresh();
}

P_Integer* PG_Integer::p_integer() const
{
    return static_cast<P_Integer*>(get_parameter());
}

int32_t PG_Integer::p_shown(int32_t a_value) const
{
    return int32_t(std::lround(double(a_value) * m_step_factor));
}

void PG_Integer::refresh()
{
    P_Integer* parameter = p_integer();
    if (!parameter || m_refreshing)
        return;
    m_refreshing = true;
    // The interval may have changed with the definition.
    set_range(p_shown(parameter->m_min), p_shown(parameter->m_max));
    set_value(p_shown(parameter->get_value()));
    m_refreshing = false;
}

void PG_Integer::on_parameter_destroyed(Parameter* a_parameter)
{
    SingleParameterEditor::on_parameter_destroyed(a_parameter);
    // The field takes the input, and only the entry's own setter reaches it.
    set_enabled(false);
}

void PG_Integer::p_on_value_changed()
{
    P_Integer* parameter = p_integer();
    if (!parameter || m_refreshing)
        return;
    parameter->set_value(int32_t(std::lround(double(get_value()) / m_step_factor)));
    p_update_hint();
}

} // namespace Tonvik
