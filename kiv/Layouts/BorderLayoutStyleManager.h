#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

// The spaces between a border layout's regions: each one alone, the two horizontal or the two
// vertical ones, or all four.
class BorderLayoutStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_SPACES = 0,
        Property_SPACE_TOP = 1,
        Property_SPACE_LEFT = 2,
        Property_SPACE_RIGHT = 3,
        Property_SPACE_BOTTOM = 4,
        Property_HORIZONTAL_SPACES = 5,
        Property_VERTICAL_SPACES = 6,
    };

    static BorderLayoutStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
