#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

// The look of a list's rows: the selected and the hovered row, the folder marker, the scroll
// position bar, and the room around each row's text.
class ListViewStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_SELECTION = 0,
        Property_SELECTION_TEXT_COLOR = 1,
        Property_HOVER_BACKGROUND = 2,
        Property_INDICATOR = 3,
        Property_INDICATOR_WIDTH = 4,
        Property_MARKER_COLOR = 5,
        Property_ROW_HORIZONTAL_PADDING = 6,
        Property_ROW_VERTICAL_PADDING = 7,
    };

    static ListViewStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
