#include "kiv/Widgets/FillerStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widgets/Filler.h"

namespace Kiv
{

FillerStyleManager FillerStyleManager::s_instance;

const WidgetClass* FillerStyleManager::get_widget_class()
{
    return &Filler::s_widget_class;
}

void FillerStyleManager::register_properties(uint32_t)
{
    p_add_property("negative_brush", StyleValueType_BRUSH, Property_NEGATIVE_BRUSH);
    p_add_property("nonsignalling_indicator_pen", StyleValueType_PEN,
                   Property_NONSIGNALLING_INDICATOR_PEN);
    p_add_property("positive_brush", StyleValueType_BRUSH, Property_POSITIVE_BRUSH);
    p_add_property("signalling_indicator_pen", StyleValueType_PEN,
                   Property_SIGNALLING_INDICATOR_PEN);
    p_add_property("value_indicator_pen", StyleValueType_PEN, Property_VALUE_INDICATOR_PEN);
}

void FillerStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                        const StyleValue& a_value)
{
    auto& filler = static_cast<Filler&>(*a_widget);
    switch (a_property_id)
    {
    case Property_NEGATIVE_BRUSH:
        return filler.set_negative_brush(a_value.to_brush());
    case Property_NONSIGNALLING_INDICATOR_PEN:
        return filler.set_nonsignalling_indicator_pen(a_value.to_pen());
    case Property_POSITIVE_BRUSH:
        return filler.set_positive_brush(a_value.to_brush());
    case Property_SIGNALLING_INDICATOR_PEN:
        return filler.set_signalling_indicator_pen(a_value.to_pen());
    case Property_VALUE_INDICATOR_PEN:
        return filler.set_value_indicator_pen(a_value.to_pen());
    default:
        break;
    }
}

} // namespace Kiv
