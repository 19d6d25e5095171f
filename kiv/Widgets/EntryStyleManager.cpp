#include "kiv/Widgets/EntryStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widgets/Entry.h"

namespace Kiv
{

EntryStyleManager EntryStyleManager::s_instance;

const WidgetClass* EntryStyleManager::get_widget_class()
{
    return &Entry::s_widget_class;
}

void EntryStyleManager::register_properties(uint32_t)
{
    p_add_property("caret_color", StyleValueType_COLOR, Property_CARET_COLOR);
    p_add_property("selected_text_color", StyleValueType_COLOR, Property_SELECTED_TEXT_COLOR);
    p_add_property("selection_color", StyleValueType_COLOR, Property_SELECTION_COLOR);
    p_add_property("visible_characters", StyleValueType_INTEGER, Property_VISIBLE_CHARACTERS);
}

void EntryStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                       const StyleValue& a_value)
{
    auto& entry = static_cast<Entry&>(*a_widget);
    switch (a_property_id)
    {
    case Property_CARET_COLOR:
        entry.set_caret_color(a_value.to_color());
        break;
    case Property_SELECTED_TEXT_COLOR:
        entry.set_selected_text_color(a_value.to_color());
        break;
    case Property_SELECTION_COLOR:
        entry.set_selection_color(a_value.to_color());
        break;
    case Property_VISIBLE_CHARACTERS:
        entry.set_visible_characters(a_value.to_int());
        break;
    default:
        break;
    }
}

} // namespace Kiv
