#include "kiv/Styles/StyleSheet.h"

#include "bex/Core/Assert.h"
#include "kiv/Styles/StyleManager.h"
#include "kiv/Styles/StyleValue.h"
#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

namespace
{

const Bex::String g_default_name = u"default";

} // namespace

StylePropertyValue::StylePropertyValue(StyleManager* a_manager, uint32_t a_property_id,
                                       StyleValue* a_value)
    : m_manager(a_manager), m_property_id(a_property_id), m_value(a_value)
{
    BEX_ASSERT(a_value);
    m_value->increase_reference_count();
}

StylePropertyValue::~StylePropertyValue()
{
    m_value->decrease_reference_count();
}

StyleSubclassDescription::StyleSubclassDescription(StyleClassDescription* a_class,
                                                   Bex::String a_name)
    : m_class(a_class), m_name(std::move(a_name)), m_default_case(this, g_default_name)
{
}

StyleCaseDescription& StyleSubclassDescription::get_or_add_case(const Bex::String& a_name)
{
    if (a_name == g_default_name)
        return m_default_case;
    for (auto& existing : m_cases)
    {
        if (existing->get_name() == a_name)
            return *existing;
    }
    m_cases.push_back(std::make_unique<StyleCaseDescription>(this, a_name));
    return *m_cases.back();
}

StyleClassDescription::StyleClassDescription(const WidgetClass* a_widget_class)
    : m_widget_class(a_widget_class)
{
    m_default_subclass = &add_subclass(g_default_name);
}

StyleSubclassDescription& StyleClassDescription::add_subclass(const Bex::String& a_name)
{
    BEX_ASSERT(!m_subclasses.has_key(a_name));
    auto& added =
        m_subclasses.insert_new(a_name, std::make_unique<StyleSubclassDescription>(this, a_name));
    return *added;
}

const StyleSubclassDescription*
StyleClassDescription::find_subclass(const Bex::String& a_name) const
{
    const auto* found = m_subclasses.find_value(a_name);
    return found ? found->get() : nullptr;
}

StyleSubclassDescription* StyleClassDescription::find_subclass(const Bex::String& a_name)
{
    auto* found = m_subclasses.find_value(a_name);
    return found ? found->get() : nullptr;
}

StyleSheet::StyleSheet(const WidgetClassList& a_classes) : m_classes(a_classes) {}

StyleClassDescription& StyleSheet::get_or_add_class(uint32_t a_class_index)
{
    if (a_class_index >= m_descriptions.size())
        m_descriptions.resize(std::max<size_t>(a_class_index + 1, m_classes.get_count()));
    auto& description = m_descriptions[a_class_index];
    if (!description)
    {
        const WidgetClass* widget_class =
            a_class_index < m_classes.get_count() ? m_classes.get(a_class_index) : nullptr;
        description = std::make_unique<StyleClassDescription>(widget_class);
        ++m_class_count;
    }
    return *description;
}

const StyleClassDescription* StyleSheet::find_class(uint32_t a_class_index) const
{
    return a_class_index < m_descriptions.size() ? m_descriptions[a_class_index].get() : nullptr;
}

void StyleSheet::clear()
{
    m_descriptions.clear();
    m_class_count = 0;
}

void StyleDeclarationBlock::rescale(float a_base)
{
    for (auto& entry : m_entries)
    {
        // Nested blocks belong to other descriptions of the sheet, which rescale them.
        if (auto* property = dynamic_cast<StylePropertyValue*>(entry.get()))
            property->get_value().rescale(a_base);
    }
}

void StyleSubclassDescription::rescale(float a_base)
{
    m_block.rescale(a_base);
    m_default_case.get_block().rescale(a_base);
    for (auto& each : m_cases)
        each->get_block().rescale(a_base);
}

void StyleClassDescription::rescale(float a_base)
{
    m_block.rescale(a_base);
    for (auto& [name, subclass] : m_subclasses)
        subclass->rescale(a_base);
}

void StyleSheet::rescale(float a_base)
{
    for (auto& description : m_descriptions)
    {
        if (description)
            description->rescale(a_base);
    }
}

} // namespace Kiv
