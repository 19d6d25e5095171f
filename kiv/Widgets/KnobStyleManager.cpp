#include "kiv/Widgets/KnobStyleManager.h"

#include "kiv/Styles/ToolkitClasses.h"

namespace Kiv
{

KnobStyleManager KnobStyleManager::s_instance;

const WidgetClass* KnobStyleManager::get_widget_class()
{
    return &ToolkitClasses::g_knob;
}

void KnobStyleManager::register_properties(uint32_t)
{
    p_add_property("angle_span", StyleValueType_INTEGER, Property_ANGLE_SPAN);
    p_add_property("external_circle_brush", StyleValueType_BRUSH, Property_EXTERNAL_CIRCLE_BRUSH);
    p_add_property("external_circle_radius", StyleValueType_DIMENSION,
                   Property_EXTERNAL_CIRCLE_RADIUS);
    p_add_property("hand_base", StyleValueType_DIMENSION, Property_HAND_BASE);
    p_add_property("hand_brush", StyleValueType_BRUSH, Property_HAND_BRUSH);
    p_add_property("hand_height", StyleValueType_DIMENSION, Property_HAND_HEIGHT);
    p_add_property("hand_offset", StyleValueType_DIMENSION, Property_HAND_OFFSET);
    p_add_property("indicator_brush", StyleValueType_BRUSH, Property_INDICATOR_BRUSH);
    p_add_property("indicator_distance", StyleValueType_DIMENSION, Property_INDICATOR_DISTANCE);
    p_add_property("indicator_radius", StyleValueType_DIMENSION, Property_INDICATOR_RADIUS);
    p_add_property("internal_circle_brush", StyleValueType_BRUSH, Property_INTERNAL_CIRCLE_BRUSH);
    p_add_property("internal_circle_radius", StyleValueType_DIMENSION,
                   Property_INTERNAL_CIRCLE_RADIUS);
    p_add_property("modulated_pen", StyleValueType_PEN, Property_MODULATED_PEN);
    p_add_property("value_range_pen", StyleValueType_PEN, Property_VALUE_RANGE_PEN);
    p_add_property("positive_value_pen", StyleValueType_PEN, Property_POSITIVE_VALUE_PEN);
    p_add_property("negative_value_pen", StyleValueType_PEN, Property_NEGATIVE_VALUE_PEN);
    p_add_property("value_radius", StyleValueType_DIMENSION, Property_VALUE_RADIUS);
}

} // namespace Kiv
