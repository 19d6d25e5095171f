#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

// "gutter": the width of the columns beside the text that hold the check mark and the submenu
// arrow. "highlighted": the row the mouse or the keyboard is on.
class MenuItemRowStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_GUTTER = 0,
    };
    enum Switch
    {
        Switch_HIGHLIGHTED = 0,
    };

    static MenuItemRowStyleManager s_instance;

    bool get_switch_state(Widget* a_widget, uint32_t a_switch_id) override;
    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
