#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

// The properties of the "Knob" class, so that style sheets written for knobs stay valid; no
// widget of the toolkit draws a knob, so nothing takes the values.
class KnobStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_ANGLE_SPAN = 0,
        Property_EXTERNAL_CIRCLE_BRUSH = 1,
        Property_EXTERNAL_CIRCLE_RADIUS = 2,
        Property_HAND_BASE = 3,
        Property_HAND_BRUSH = 4,
        Property_HAND_HEIGHT = 5,
        Property_HAND_OFFSET = 6,
        Property_INDICATOR_BRUSH = 7,
        Property_INDICATOR_DISTANCE = 8,
        Property_INDICATOR_RADIUS = 9,
        Property_INTERNAL_CIRCLE_BRUSH = 10,
        Property_INTERNAL_CIRCLE_RADIUS = 11,
        Property_MODULATED_PEN = 12,
        Property_VALUE_RANGE_PEN = 13,
        Property_POSITIVE_VALUE_PEN = 14,
        Property_NEGATIVE_VALUE_PEN = 15,
        Property_VALUE_RADIUS = 16,
    };

    static KnobStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget*, uint32_t, const StyleValue&) override {}
};

} // namespace Kiv
