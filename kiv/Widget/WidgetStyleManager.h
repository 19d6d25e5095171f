#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

// The style properties every widget takes: look, margins, padding and size constraints.
class WidgetStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_BACKGROUND = 0,
        Property_BORDER = 1,
        Property_ADJUST_HEIGHT_TO_CONTENTS = 2,
        Property_ADJUST_WIDTH_TO_CONTENTS = 3,
        Property_FIXED_HEIGHT = 4,
        Property_FIXED_SIZE = 5,
        Property_FIXED_SIZE_LIST = 6,
        Property_FIXED_WIDTH = 7,
        Property_FONT = 8,
        Property_FRAME = 9,
        Property_HORIZONTAL_MARGINS = 10,
        Property_HORIZONTAL_PADDING = 11,
        Property_HORIZONTALLY_STRETCHABLE = 12,
        Property_MARGIN_BOTTOM = 13,
        Property_MARGIN_LEFT = 14,
        Property_MARGIN_RIGHT = 15,
        Property_MARGIN_TOP = 16,
        Property_MARGINS = 17,
        Property_MARGINS_LIST = 18,
        Property_MAXIMUM_HEIGHT = 19,
        Property_MAXIMUM_SIZE = 20,
        Property_MAXIMUM_SIZE_LIST = 21,
        Property_MAXIMUM_WIDTH = 22,
        Property_MINIMUM_HEIGHT = 23,
        Property_MINIMUM_SIZE = 24,
        Property_MINIMUM_SIZE_LIST = 25,
        Property_MINIMUM_WIDTH = 26,
        Property_PADDING = 27,
        Property_PADDING_BOTTOM = 28,
        Property_PADDING_LEFT = 29,
        Property_PADDING_LIST = 30,
        Property_PADDING_RIGHT = 31,
        Property_PADDING_TOP = 32,
        Property_VERTICALLY_STRETCHABLE = 33,
        Property_TEXT_COLOR = 34,
        Property_VERTICAL_MARGINS = 35,
        Property_VERTICAL_PADDING = 36,
    };
    enum Switch
    {
        Switch_ENABLED = 0,
        Switch_HOVER = 1,
        Switch_FOCUSED = 2,
        Switch_PRESSED = 3,
        Switch_CHECKED = 4,
    };

    static WidgetStyleManager s_instance;

    void inherit_property(Widget* a_widget, uint32_t a_property_id, Widget* a_parent) override;
    bool get_switch_state(Widget* a_widget, uint32_t a_switch_id) override;
    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
