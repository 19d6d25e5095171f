#include "kiv/Styles/StyleManager.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/StyleValue.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/Widget.h"

namespace Kiv
{

namespace
{

void apply_block(const StyleDeclarationBlock& a_block, Widget& a_widget)
{
    const WidgetClass& widget_class = a_widget.get_widget_class();
    for (const auto& entry : a_block.get_entries())
    {
        if (const auto* nested = dynamic_cast<const StyleNestedBlock*>(entry.get()))
        {
            apply_block(*nested->get_block(), a_widget);
            continue;
        }
        const auto& property = static_cast<const StylePropertyValue&>(*entry);
        StyleManager* manager = property.get_manager();
        const WidgetClass* manager_class = manager->get_class();
        if (!manager_class || !widget_class.derives_from(*manager_class))
            continue;
        if (property.get_value().get_type() == StyleValueType_PARENT)
        {
            if (Widget* parent = a_widget.get_parent())
                manager->inherit_property(&a_widget, property.get_property_id(), parent);
        }
        else
            manager->apply_property(&a_widget, property.get_property_id(), property.get_value());
    }
}

bool case_holds(const StyleCaseDescription& a_case, Widget& a_widget)
{
    for (const StyleSwitchCondition& condition : a_case.get_conditions())
    {
        if (condition.manager->get_switch_state(&a_widget, condition.switch_id) != condition.state)
            return false;
    }
    return true;
}

void apply_class(const StyleClassDescription& a_description, Widget& a_widget)
{
    if (const StyleClassDescription* parent = a_description.get_style_parent())
        apply_class(*parent, a_widget);
    apply_block(a_description.get_block(), a_widget);

    const StyleSubclassDescription* subclass = nullptr;
    if (!a_widget.get_style_subclass().empty())
        subclass = a_description.find_subclass(a_widget.get_style_subclass());
    if (!subclass)
        subclass = &a_description.get_default_subclass();
    apply_block(subclass->get_block(), a_widget);

    for (const auto& style_case : subclass->get_cases())
    {
        if (case_holds(*style_case, a_widget))
        {
            apply_block(style_case->get_block(), a_widget);
            return;
        }
    }
    apply_block(subclass->get_default_case().get_block(), a_widget);
}

} // namespace

void apply_style(const StyleSheet& a_sheet, Widget& a_widget)
{
    if (a_sheet.is_empty())
        return;
    for (const WidgetClass* current = &a_widget.get_widget_class(); current;
         current = current->get_base())
    {
        if (const StyleClassDescription* description = a_sheet.find_class(current->get_index()))
        {
            apply_class(*description, a_widget);
            return;
        }
    }
}

} // namespace Kiv
