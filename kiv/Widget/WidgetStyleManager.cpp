#include "kiv/Widget/WidgetStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widget/Widget.h"

#include <optional>

namespace Kiv
{

WidgetStyleManager WidgetStyleManager::s_instance;

namespace
{

// Which raw size values a size property sets.
enum SizeField
{
    SizeField_MINIMUM = 1,
    SizeField_MAXIMUM = 2,
    SizeField_PREFERRED = 4,
    SizeField_ALL = 7,
};

void set_width(WidgetSizeValues& a_values, uint32_t a_fields, int32_t a_pixels)
{
    if (a_fields & SizeField_MINIMUM)
        a_values.minimum_width = a_pixels;
    if (a_fields & SizeField_MAXIMUM)
        a_values.maximum_width = a_pixels;
    if (a_fields & SizeField_PREFERRED)
        a_values.preferred_width = a_pixels;
}

void set_height(WidgetSizeValues& a_values, uint32_t a_fields, int32_t a_pixels)
{
    if (a_fields & SizeField_MINIMUM)
        a_values.minimum_height = a_pixels;
    if (a_fields & SizeField_MAXIMUM)
        a_values.maximum_height = a_pixels;
    if (a_fields & SizeField_PREFERRED)
        a_values.preferred_height = a_pixels;
}

// The pixel sizes of a list of dimensions; nothing when an item is not a dimension.
std::optional<Bex::Vector<int32_t>> list_pixels(const StyleValue& a_value)
{
    Bex::Vector<int32_t> pixels;
    for (const StyleValue* item : a_value.to_list())
    {
        if (item->get_type() != StyleValueType_DIMENSION)
            return std::nullopt;
        pixels.push_back(item->to_pixels_int());
    }
    return pixels;
}

// a_axes: 1 width, 2 height.
void apply_size(Widget& a_widget, uint32_t a_fields, uint32_t a_axes, const StyleValue& a_value)
{
    WidgetSizeValues raw = a_widget.get_requested_sizes().get_raw();
    if (a_value.get_type() == StyleValueType_LIST)
    {
        const auto pixels = list_pixels(a_value);
        if (!pixels || pixels->size() != 2)
            return;
        set_width(raw, a_fields, (*pixels)[0]);
        set_height(raw, a_fields, (*pixels)[1]);
    }
    else
    {
        const int32_t pixels = a_value.to_pixels_int();
        if (a_axes & 1)
            set_width(raw, a_fields, pixels);
        if (a_axes & 2)
            set_height(raw, a_fields, pixels);
    }
    a_widget.get_requested_sizes().set_raw(raw);
}

// One length for all sides, or a list of two (vertical, horizontal), three (top, horizontal,
// bottom) or four (top, right, bottom, left); any other list is ignored.
std::optional<WidgetSides> sides_of(const StyleValue& a_value)
{
    if (a_value.get_type() != StyleValueType_LIST)
    {
        const int32_t all = a_value.to_pixels_int();
        return WidgetSides{all, all, all, all};
    }
    const auto pixels = list_pixels(a_value);
    if (!pixels)
        return std::nullopt;
    const Bex::Vector<int32_t>& p = *pixels;
    switch (p.size())
    {
    case 2:
        return WidgetSides{p[0], p[1], p[0], p[1]};
    case 3:
        return WidgetSides{p[0], p[1], p[2], p[1]};
    case 4:
        return WidgetSides{p[0], p[1], p[2], p[3]};
    default:
        return std::nullopt;
    }
}

} // namespace

void WidgetStyleManager::inherit_property(Widget* a_widget, uint32_t a_property_id,
                                          Widget* a_parent)
{
    if (a_property_id == Property_BACKGROUND)
        a_widget->set_background(a_parent->get_background());
}

bool WidgetStyleManager::get_switch_state(Widget* a_widget, uint32_t a_switch_id)
{
    switch (a_switch_id)
    {
    case Switch_ENABLED:
        return a_widget->is_enabled();
    case Switch_HOVER:
        return a_widget->get_style_states() & WidgetStyleState_HOVER;
    case Switch_FOCUSED:
        return a_widget->get_style_states() & WidgetStyleState_FOCUSED;
    case Switch_PRESSED:
        return a_widget->get_style_states() & WidgetStyleState_PRESSED;
    case Switch_CHECKED:
        return a_widget->get_style_states() & WidgetStyleState_CHECKED;
    default:
        return false;
    }
}

const WidgetClass* WidgetStyleManager::get_widget_class()
{
    return &Widget::s_widget_class;
}

void WidgetStyleManager::register_properties(uint32_t)
{
    const StyleValueType dimension = StyleValueType_DIMENSION;
    const StyleValueType list = StyleValueType_LIST;
    p_add_property("background", StyleValueType_BRUSH, Property_BACKGROUND);
    p_add_property("background", StyleValueType_PARENT, Property_BACKGROUND);
    p_add_property("border", StyleValueType_BORDER, Property_BORDER);
    p_add_property("adjust_height_to_contents", StyleValueType_BOOLEAN,
                   Property_ADJUST_HEIGHT_TO_CONTENTS);
    p_add_property("adjust_width_to_contents", StyleValueType_BOOLEAN,
                   Property_ADJUST_WIDTH_TO_CONTENTS);
    p_add_property("fixed_height", dimension, Property_FIXED_HEIGHT);
    p_add_property("fixed_size", dimension, Property_FIXED_SIZE);
    p_add_property("fixed_size", list, Property_FIXED_SIZE_LIST);
    p_add_property("fixed_width", dimension, Property_FIXED_WIDTH);
    p_add_property("font", StyleValueType_FONT, Property_FONT);
    p_add_property("frame", StyleValueType_FRAME, Property_FRAME);
    p_add_property("horizontal_margins", dimension, Property_HORIZONTAL_MARGINS);
    p_add_property("horizontal_padding", dimension, Property_HORIZONTAL_PADDING);
    p_add_property("horizontally_stretchable", StyleValueType_BOOLEAN,
                   Property_HORIZONTALLY_STRETCHABLE);
    p_add_property("margin_bottom", dimension, Property_MARGIN_BOTTOM);
    p_add_property("margin_left", dimension, Property_MARGIN_LEFT);
    p_add_property("margin_right", dimension, Property_MARGIN_RIGHT);
    p_add_property("margin_top", dimension, Property_MARGIN_TOP);
    p_add_property("margins", dimension, Property_MARGINS);
    p_add_property("margins", list, Property_MARGINS_LIST);
    p_add_property("maximum_height", dimension, Property_MAXIMUM_HEIGHT);
    p_add_property("maximum_size", dimension, Property_MAXIMUM_SIZE);
    p_add_property("maximum_size", list, Property_MAXIMUM_SIZE_LIST);
    p_add_property("maximum_width", dimension, Property_MAXIMUM_WIDTH);
    p_add_property("minimum_height", dimension, Property_MINIMUM_HEIGHT);
    p_add_property("minimum_size", dimension, Property_MINIMUM_SIZE);
    p_add_property("minimum_size", list, Property_MINIMUM_SIZE_LIST);
    p_add_property("minimum_width", dimension, Property_MINIMUM_WIDTH);
    p_add_property("padding", dimension, Property_PADDING);
    p_add_property("padding_bottom", dimension, Property_PADDING_BOTTOM);
    p_add_property("padding_left", dimension, Property_PADDING_LEFT);
    p_add_property("padding", list, Property_PADDING_LIST);
    p_add_property("padding_right", dimension, Property_PADDING_RIGHT);
    p_add_property("padding_top", dimension, Property_PADDING_TOP);
    p_add_property("vertically_stretchable", StyleValueType_BOOLEAN,
                   Property_VERTICALLY_STRETCHABLE);
    p_add_property("text_color", StyleValueType_COLOR, Property_TEXT_COLOR);
    p_add_property("vertical_margins", dimension, Property_VERTICAL_MARGINS);
    p_add_property("vertical_padding", dimension, Property_VERTICAL_PADDING);
    p_add_switch("enabled", Switch_ENABLED);
    p_add_switch("hover", Switch_HOVER);
    p_add_switch("focused", Switch_FOCUSED);
    p_add_switch("pressed", Switch_PRESSED);
    p_add_switch("checked", Switch_CHECKED);
}

void WidgetStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                        const StyleValue& a_value)
{
    Widget& widget = *a_widget;
    WidgetSides margins = widget.get_margins();
    WidgetSides padding = widget.get_padding();
    switch (a_property_id)
    {
    case Property_BACKGROUND:
        widget.set_background(a_value.to_brush());
        return;
    case Property_BORDER:
        widget.set_border(a_value.to_border());
        return;
    case Property_FRAME:
        widget.set_border(a_value.to_frame().border);
        widget.set_background(a_value.to_frame().brush);
        return;
    case Property_FONT:
        widget.set_font(a_value.to_font());
        return;
    case Property_TEXT_COLOR:
        widget.set_text_color(a_value.to_color());
        return;
    case Property_ADJUST_HEIGHT_TO_CONTENTS:
        widget.set_adjust_height_to_contents(a_value.to_bool());
        return;
    case Property_ADJUST_WIDTH_TO_CONTENTS:
        widget.set_adjust_width_to_contents(a_value.to_bool());
        return;
    case Property_HORIZONTALLY_STRETCHABLE:
        widget.set_horizontally_stretchable(a_value.to_bool());
        return;
    case Property_VERTICALLY_STRETCHABLE:
        widget.set_vertically_stretchable(a_value.to_bool());
        return;
    case Property_FIXED_WIDTH:
        return apply_size(widget, SizeField_ALL, 1, a_value);
    case Property_FIXED_HEIGHT:
        return apply_size(widget, SizeField_ALL, 2, a_value);
    case Property_FIXED_SIZE:
    case Property_FIXED_SIZE_LIST:
        return apply_size(widget, SizeField_ALL, 3, a_value);
    case Property_MINIMUM_WIDTH:
        return apply_size(widget, SizeField_MINIMUM, 1, a_value);
    case Property_MINIMUM_HEIGHT:
        return apply_size(widget, SizeField_MINIMUM, 2, a_value);
    case Property_MINIMUM_SIZE:
    case Property_MINIMUM_SIZE_LIST:
        return apply_size(widget, SizeField_MINIMUM, 3, a_value);
    case Property_MAXIMUM_WIDTH:
        return apply_size(widget, SizeField_MAXIMUM, 1, a_value);
    case Property_MAXIMUM_HEIGHT:
        return apply_size(widget, SizeField_MAXIMUM, 2, a_value);
    case Property_MAXIMUM_SIZE:
    case Property_MAXIMUM_SIZE_LIST:
        return apply_size(widget, SizeField_MAXIMUM, 3, a_value);
    case Property_MARGIN_TOP:
        margins.top = a_value.to_pixels_int();
        break;
    case Property_MARGIN_RIGHT:
        margins.right = a_value.to_pixels_int();
        break;
    case Property_MARGIN_BOTTOM:
        margins.bottom = a_value.to_pixels_int();
        break;
    case Property_MARGIN_LEFT:
        margins.left = a_value.to_pixels_int();
        break;
    case Property_MARGINS:
    case Property_MARGINS_LIST:
        if (auto sides = sides_of(a_value))
            margins = *sides;
        break;
    case Property_HORIZONTAL_MARGINS:
        margins.left = margins.right = a_value.to_pixels_int();
        break;
    case Property_VERTICAL_MARGINS:
        margins.top = margins.bottom = a_value.to_pixels_int();
        break;
    case Property_PADDING_TOP:
        padding.top = a_value.to_pixels_int();
        break;
    case Property_PADDING_RIGHT:
        padding.right = a_value.to_pixels_int();
        break;
    case Property_PADDING_BOTTOM:
        padding.bottom = a_value.to_pixels_int();
        break;
    case Property_PADDING_LEFT:
        padding.left = a_value.to_pixels_int();
        break;
    case Property_PADDING:
    case Property_PADDING_LIST:
        if (auto sides = sides_of(a_value))
            padding = *sides;
        break;
    case Property_HORIZONTAL_PADDING:
        padding.left = padding.right = a_value.to_pixels_int();
        break;
    case Property_VERTICAL_PADDING:
        padding.top = padding.bottom = a_value.to_pixels_int();
        break;
    default:
        return;
    }
    widget.set_margins(margins);
    widget.set_padding(padding);
}

} // namespace Kiv
