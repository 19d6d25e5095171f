#include "kiv/Widgets/ListViewStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widgets/ListView.h"

namespace Kiv
{

ListViewStyleManager ListViewStyleManager::s_instance;

const WidgetClass* ListViewStyleManager::get_widget_class()
{
    return &ListView::s_widget_class;
}

void ListViewStyleManager::register_properties(uint32_t)
{
    p_add_property("selection", StyleValueType_BRUSH, Property_SELECTION);
    p_add_property("selection_text_color", StyleValueType_COLOR, Property_SELECTION_TEXT_COLOR);
    p_add_property("hover_background", StyleValueType_BRUSH, Property_HOVER_BACKGROUND);
    p_add_property("indicator", StyleValueType_BRUSH, Property_INDICATOR);
    p_add_property("indicator_width", StyleValueType_DIMENSION, Property_INDICATOR_WIDTH);
    p_add_property("marker_color", StyleValueType_COLOR, Property_MARKER_COLOR);
    p_add_property("row_horizontal_padding", StyleValueType_DIMENSION,
                   Property_ROW_HORIZONTAL_PADDING);
    p_add_property("row_vertical_padding", StyleValueType_DIMENSION, Property_ROW_VERTICAL_PADDING);
}

void ListViewStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                          const StyleValue& a_value)
{
    // Only lists (and classes derived from them) reach here.
    auto& list = static_cast<ListView&>(*a_widget);
    switch (a_property_id)
    {
    case Property_SELECTION:
        return list.set_selection_brush(a_value.to_brush());
    case Property_SELECTION_TEXT_COLOR:
        return list.set_selection_text_color(a_value.to_color());
    case Property_HOVER_BACKGROUND:
        return list.set_hover_brush(a_value.to_brush());
    case Property_INDICATOR:
        return list.set_indicator_brush(a_value.to_brush());
    case Property_INDICATOR_WIDTH:
        return list.set_indicator_width(a_value.to_pixels_int());
    case Property_MARKER_COLOR:
        return list.set_marker_color(a_value.to_color());
    case Property_ROW_HORIZONTAL_PADDING:
        return list.set_row_padding(a_value.to_pixels_int(), list.get_row_vertical_padding());
    case Property_ROW_VERTICAL_PADDING:
        return list.set_row_padding(list.get_row_horizontal_padding(), a_value.to_pixels_int());
    default:
        return;
    }
}

} // namespace Kiv
