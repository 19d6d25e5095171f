#include "kiv/Layouts/GridLayoutStyleManager.h"

#include "kiv/Layouts/GridLayout.h"
#include "kiv/Styles/StyleValue.h"

namespace Kiv
{

GridLayoutStyleManager GridLayoutStyleManager::s_instance;

const WidgetClass* GridLayoutStyleManager::get_widget_class()
{
    return &GridLayout::s_widget_class;
}

void GridLayoutStyleManager::register_properties(uint32_t)
{
    p_add_property("equal_column_widths", StyleValueType_BOOLEAN, Property_EQUAL_COLUMN_WIDTHS);
    p_add_property("equal_row_heights", StyleValueType_BOOLEAN, Property_EQUAL_ROW_HEIGHTS);
    p_add_property("horizontal_spacing", StyleValueType_DIMENSION, Property_HORIZONTAL_SPACING);
    p_add_property("spacing", StyleValueType_DIMENSION, Property_SPACING);
    p_add_property("spacing", StyleValueType_LIST, Property_SPACING_LIST);
    p_add_property("vertical_spacing", StyleValueType_DIMENSION, Property_VERTICAL_SPACING);
}

void GridLayoutStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                            const StyleValue& a_value)
{
    // Only grids (and classes derived from them) reach here.
    auto& layout = static_cast<GridLayout&>(*a_widget);
    switch (a_property_id)
    {
    case Property_EQUAL_COLUMN_WIDTHS:
        layout.set_equal(GridLayoutAxisType_HORIZONTAL, a_value.to_bool());
        break;
    case Property_EQUAL_ROW_HEIGHTS:
        layout.set_equal(GridLayoutAxisType_VERTICAL, a_value.to_bool());
        break;
    case Property_HORIZONTAL_SPACING:
        layout.set_spacing(GridLayoutAxisType_HORIZONTAL, a_value.to_pixels_int());
        break;
    case Property_VERTICAL_SPACING:
        layout.set_spacing(GridLayoutAxisType_VERTICAL, a_value.to_pixels_int());
        break;
    case Property_SPACING:
        layout.set_spacing(GridLayoutAxisType_HORIZONTAL, a_value.to_pixels_int());
        layout.set_spacing(GridLayoutAxisType_VERTICAL, a_value.to_pixels_int());
        break;
    case Property_SPACING_LIST:
    {
        const Bex::Vector<StyleValue*>& items = a_value.to_list();
        if (items.size() != 2 || items[0]->get_type() != StyleValueType_DIMENSION ||
            items[1]->get_type() != StyleValueType_DIMENSION)
            break;
        layout.set_spacing(GridLayoutAxisType_HORIZONTAL, items[0]->to_pixels_int());
        layout.set_spacing(GridLayoutAxisType_VERTICAL, items[1]->to_pixels_int());
        break;
    }
    default:
        break;
    }
}

} // namespace Kiv
