#include "kiv/Widgets/CheckBoxStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widgets/CheckBox.h"

namespace Kiv
{

CheckBoxStyleManager CheckBoxStyleManager::s_instance;

const WidgetClass* CheckBoxStyleManager::get_widget_class()
{
    return &CheckBox::s_widget_class;
}

void CheckBoxStyleManager::register_properties(uint32_t)
{
    p_add_property("box_frame", StyleValueType_FRAME, Property_BOX_FRAME);
    p_add_property("box_size", StyleValueType_DIMENSION, Property_BOX_SIZE);
    p_add_property("box_spacing", StyleValueType_DIMENSION, Property_BOX_SPACING);
    p_add_property("mark_color", StyleValueType_COLOR, Property_MARK_COLOR);
}

void CheckBoxStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                          const StyleValue& a_value)
{
    auto& box = static_cast<CheckBox&>(*a_widget);
    switch (a_property_id)
    {
    case Property_BOX_FRAME:
        box.set_box_frame(a_value.to_frame());
        break;
    case Property_BOX_SIZE:
        box.set_box_size(a_value.to_pixels_int());
        break;
    case Property_BOX_SPACING:
        box.set_box_spacing(a_value.to_pixels_int());
        break;
    case Property_MARK_COLOR:
        box.set_mark_color(a_value.to_color());
        break;
    default:
        break;
    }
}

} // namespace Kiv
