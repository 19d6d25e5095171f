#include "kiv/Layouts/BorderLayoutStyleManager.h"

#include "kiv/Layouts/BorderLayout.h"
#include "kiv/Styles/StyleValue.h"

namespace Kiv
{

BorderLayoutStyleManager BorderLayoutStyleManager::s_instance;

const WidgetClass* BorderLayoutStyleManager::get_widget_class()
{
    return &BorderLayout::s_widget_class;
}

void BorderLayoutStyleManager::register_properties(uint32_t)
{
    const StyleValueType dimension = StyleValueType_DIMENSION;
    p_add_property("spaces", dimension, Property_SPACES);
    p_add_property("space_top", dimension, Property_SPACE_TOP);
    p_add_property("space_left", dimension, Property_SPACE_LEFT);
    p_add_property("space_right", dimension, Property_SPACE_RIGHT);
    p_add_property("space_bottom", dimension, Property_SPACE_BOTTOM);
    p_add_property("horizontal_spaces", dimension, Property_HORIZONTAL_SPACES);
    p_add_property("vertical_spaces", dimension, Property_VERTICAL_SPACES);
}

void BorderLayoutStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                              const StyleValue& a_value)
{
    // Only border layouts (and classes derived from them) reach here.
    auto& layout = static_cast<BorderLayout&>(*a_widget);
    const int32_t pixels = a_value.to_pixels_int();
    const bool top = a_property_id == Property_SPACES || a_property_id == Property_SPACE_TOP ||
                     a_property_id == Property_VERTICAL_SPACES;
    const bool bottom = a_property_id == Property_SPACES ||
                        a_property_id == Property_SPACE_BOTTOM ||
                        a_property_id == Property_VERTICAL_SPACES;
    const bool left = a_property_id == Property_SPACES || a_property_id == Property_SPACE_LEFT ||
                      a_property_id == Property_HORIZONTAL_SPACES;
    const bool right = a_property_id == Property_SPACES || a_property_id == Property_SPACE_RIGHT ||
                       a_property_id == Property_HORIZONTAL_SPACES;
    if (top)
        layout.set_space(BorderLayoutRegion_TOP, pixels);
    if (bottom)
        layout.set_space(BorderLayoutRegion_BOTTOM, pixels);
    if (left)
        layout.set_space(BorderLayoutRegion_LEFT, pixels);
    if (right)
        layout.set_space(BorderLayoutRegion_RIGHT, pixels);
}

} // namespace Kiv
