#pragma once

#include "kiv/Widgets/Filler.h"
#include "tonvik/Gui/SingleParameterEditor.h"

namespace Tonvik
{

class FloatParameter;

// A float parameter as a filler bar: the bar shows the normalized value, the label the value in
// the user's unit, and where modulation moves the value a marker on the top edge shows where
// the audio code is now.
class ParameterGui_Filler : public Kiv::Filler, public SingleParameterEditor
{
public:
    ParameterGui_Filler(DeviceGui& a_gui, FloatParameter* a_parameter);

    void refresh() override;
    bool has_modulation_overlay() const override { return true; }
    void on_parameter_variation_changed(Parameter* a_parameter) override;

    // Where the audio code's current value lies, normalized; false when the overlay shows none.
    bool get_modulated_position(double& a_position) const;

protected:
    void do_paint_overlay(Kiv::Painter& a_painter, Kiv::Size a_size) override;

private:
    FloatParameter* p_float() const;
    void p_apply_origin();

    void p_on_drag_begun() { p_open_gesture(); }
    void p_on_drag_ended() { p_close_gesture(); }
    void p_on_value_changed(Kiv::FillerEvent& a_event);

    bool m_refreshing = false;
};

} // namespace Tonvik
