#pragma once

#include "kiv/Widgets/IntegerEntry.h"
#include "tonvik/Gui/SingleParameterEditor.h"

namespace Tonvik
{

class P_Integer;

// A whole-number parameter as an entry. The entry shows the value times a step factor (10 shows
// tenths as whole numbers, say), rounded half away from zero; what the user enters is divided
// by it again.
class PG_Integer : public Kiv::IntegerEntry, public SingleParameterEditor
{
public:
    PG_Integer(DeviceGui& a_gui, P_Integer* a_parameter, double a_step_factor = 1.0);

    double get_step_factor() const { return m_step_factor; }
    void refresh() override;
    void on_parameter_destroyed(Parameter* a_parameter) override;

private:
    P_Integer* p_integer() const;
    int32_t p_shown(int32_t a_value) const;
    void p_on_value_changed();

    double m_step_factor;
    bool m_refreshing = false;
};

} // namespace Tonvik
