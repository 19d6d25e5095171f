#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

class GridLayoutStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_EQUAL_COLUMN_WIDTHS = 0,
        Property_EQUAL_ROW_HEIGHTS = 1,
        Property_HORIZONTAL_SPACING = 2,
        Property_SPACING = 3,
        Property_SPACING_LIST = 4,
        Property_VERTICAL_SPACING = 5,
    };

    static GridLayoutStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
