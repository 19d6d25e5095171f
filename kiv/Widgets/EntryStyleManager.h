#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

class EntryStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_CARET_COLOR = 0,
        Property_SELECTED_TEXT_COLOR = 1,
        Property_SELECTION_COLOR = 2,
        Property_VISIBLE_CHARACTERS = 3,
    };

    static EntryStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
