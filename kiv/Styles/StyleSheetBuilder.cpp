#include "kiv/Styles/StyleSheetBuilder.h"

#include "bex/Core/Assert.h"
#include "bex/Core/FormatMessage.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

StyleSheetBuilder::StyleSheetBuilder(StyleSheet& a_sheet, const StyleRegistry& a_registry)
    : m_sheet(a_sheet), m_registry(a_registry)
{
}

void StyleSheetBuilder::begin_class(uint32_t a_class_index)
{
    BEX_ASSERT(!m_current_class);
    m_current_class = &m_sheet.get_or_add_class(a_class_index);
    m_current_declaration_block = &m_current_class->get_block();
}

void StyleSheetBuilder::begin_class(uint32_t a_class_index, uint32_t a_parent_index)
{
    begin_class(a_class_index);
    // Index 0 gathers every unknown class name; no widget uses it, so its parent never matters
    // and must not link unrelated descriptions into a loop.
    if (a_class_index == 0)
        return;
    const StyleClassDescription* parent = &m_sheet.get_or_add_class(a_parent_index);
    for (const StyleClassDescription* link = parent; link; link = link->get_style_parent())
    {
        if (link == m_current_class)
        {
            const WidgetClass* widget_class = m_current_class->get_widget_class();
            throw Bex::Exception(
                Bex::format_message(u"Style class \"@1\" inherits from itself.",
                                    {widget_class ? widget_class->get_name()
                                                  : Bex::String::from_number(a_class_index)}));
        }
    }
    m_current_class->set_style_parent(parent);
}

void StyleSheetBuilder::begin_subclass(const Bex::String& a_name)
{
    BEX_ASSERT(m_current_class);
    BEX_ASSERT(!m_current_subclass);
    m_current_subclass = m_current_class->find_subclass(a_name);
    if (!m_current_subclass)
        m_current_subclass = &m_current_class->add_subclass(a_name);
    m_current_declaration_block = &m_current_subclass->get_block();
}

void StyleSheetBuilder::begin_case(const Bex::String& a_name)
{
    BEX_ASSERT(m_current_subclass);
    BEX_ASSERT(!m_current_case);
    m_current_case = &m_current_subclass->get_or_add_case(a_name);
    m_current_declaration_block = &m_current_case->get_block();
}

void StyleSheetBuilder::add_switch(uint32_t a_class_index, uint32_t a_switch_id, bool a_state)
{
    BEX_ASSERT(m_current_case);
    StyleManager* manager = m_registry.get_own_manager(a_class_index);
    BEX_ASSERT(manager);
    m_current_case->add_condition({a_state, manager, a_switch_id});
}

void StyleSheetBuilder::property(uint32_t a_class_index, uint32_t a_property_id,
                                 StyleValue* a_value)
{
    BEX_ASSERT(m_current_declaration_block);
    StyleManager* manager = m_registry.get_own_manager(a_class_index);
    BEX_ASSERT(manager);
    m_current_declaration_block->add_entry(
        std::make_unique<StylePropertyValue>(manager, a_property_id, a_value));
}

void StyleSheetBuilder::end_case()
{
    BEX_ASSERT(m_current_case);
    m_current_case = nullptr;
    m_current_declaration_block = nullptr;
}

void StyleSheetBuilder::end_subclass()
{
    BEX_ASSERT(m_current_subclass);
    BEX_ASSERT(!m_current_case);
    m_current_subclass = nullptr;
    m_current_declaration_block = nullptr;
}

void StyleSheetBuilder::end_class()
{
    BEX_ASSERT(m_current_class);
    BEX_ASSERT(!m_current_subclass);
    m_current_class = nullptr;
    m_current_declaration_block = nullptr;
}

} // namespace Kiv
