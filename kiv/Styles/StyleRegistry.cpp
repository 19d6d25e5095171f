#include "kiv/Styles/StyleRegistry.h"

#include "bex/Core/Assert.h"
#include "kiv/Styles/StyleManager.h"
#include "kiv/Styles/StyleValue.h"
#include "kiv/Styles/WidgetClass.h"

#include <algorithm>

namespace Kiv
{

StylePropertyDescription::~StylePropertyDescription()
{
    for (auto& [name, value] : m_named_values)
        value->decrease_reference_count();
}

void StylePropertyDescription::add_named_value(const Bex::String& a_name, StyleValue* a_value)
{
    BEX_ASSERT(a_value);
    a_value->increase_reference_count();
    m_named_values.insert_new(a_name, a_value);
}

StyleValue* StylePropertyDescription::find_named_value(const Bex::String& a_name) const
{
    StyleValue* const* found = m_named_values.find_value(a_name);
    return found ? *found : nullptr;
}

StyleRegistry::~StyleRegistry() = default;

StyleRegistry& StyleRegistry::get_global()
{
    static StyleRegistry registry;
    return registry;
}

void StyleRegistry::add_manager(StyleManager* a_manager)
{
    BEX_ASSERT(a_manager);
    m_managers.push_back(a_manager);
}

void StyleRegistry::remove_manager(StyleManager* a_manager)
{
    // Managers normally live as long as the process; this keeps short-lived ones (tests) from
    // leaving dangling entries.
    std::erase(m_managers, a_manager);
    std::replace(m_own_managers.begin(), m_own_managers.end(), a_manager,
                 static_cast<StyleManager*>(nullptr));
    std::replace(m_effective_managers.begin(), m_effective_managers.end(), a_manager,
                 static_cast<StyleManager*>(nullptr));
}

StylePropertyDescription* StyleRegistry::add_property(StyleManager* a_manager,
                                                      const Bex::String& a_name,
                                                      StyleValueType a_type, uint32_t a_id)
{
    auto description = std::make_unique<StylePropertyDescription>(a_id, a_manager);
    StylePropertyDescription* result = description.get();
    m_property_storage.push_back(std::move(description));
    m_properties[a_name][a_type].push_back(result);
    return result;
}

StyleSwitchDescription* StyleRegistry::add_switch(StyleManager* a_manager,
                                                  const Bex::String& a_name, uint32_t a_id)
{
    BEX_ASSERT(!m_switch_descriptions.has_key(a_name));
    auto description =
        std::make_unique<StyleSwitchDescription>(StyleSwitchDescription{a_id, a_manager, a_name});
    StyleSwitchDescription* result = description.get();
    m_switch_descriptions.insert_new(a_name, std::move(description));
    return result;
}

const Bex::Vector<StylePropertyDescription*>*
StyleRegistry::find_properties(const Bex::String& a_name, StyleValueType a_type) const
{
    const auto* types = m_properties.find_value(a_name);
    return types ? types->find_value(a_type) : nullptr;
}

const Bex::Map<StyleValueType, Bex::Vector<StylePropertyDescription*>>*
StyleRegistry::find_property_types(const Bex::String& a_name) const
{
    return m_properties.find_value(a_name);
}

const StyleSwitchDescription* StyleRegistry::find_switch(const Bex::String& a_name) const
{
    const auto* found = m_switch_descriptions.find_value(a_name);
    return found ? found->get() : nullptr;
}

void StyleRegistry::start_up(WidgetClassList& a_classes)
{
    BEX_ASSERT(!m_classes);
    a_classes.resolve_bases();

    const uint32_t class_count = a_classes.get_count();
    m_own_managers.assign(class_count, nullptr);
    for (StyleManager* manager : m_managers)
    {
        const WidgetClass* widget_class = manager->get_widget_class();
        BEX_ASSERT(widget_class && a_classes.get(widget_class->get_index()) == widget_class);
        manager->m_widget_class = widget_class;
        StyleManager*& own = m_own_managers[widget_class->get_index()];
        if (own)
            throw Bex::Exception(u"This class already has a style manager.");
        own = manager;
        manager->register_properties(widget_class->get_index());
    }

    m_effective_managers.assign(class_count, nullptr);
    for (uint32_t index = 1; index < class_count; ++index)
    {
        const WidgetClass* current = a_classes.get(index);
        while (current && !m_own_managers[current->get_index()])
            current = current->get_base();
        if (!current)
            throw Bex::Exception(u"Something wrong.");
        m_effective_managers[index] = m_own_managers[current->get_index()];
    }
    m_classes = &a_classes;
}

const WidgetClassList& StyleRegistry::get_classes() const
{
    BEX_ASSERT(m_classes);
    return *m_classes;
}

StyleManager* StyleRegistry::get_own_manager(uint32_t a_class_index) const
{
    return a_class_index < m_own_managers.size() ? m_own_managers[a_class_index] : nullptr;
}

StyleManager* StyleRegistry::get_effective_manager(uint32_t a_class_index) const
{
    return a_class_index < m_effective_managers.size() ? m_effective_managers[a_class_index]
                                                       : nullptr;
}

} // namespace Kiv
