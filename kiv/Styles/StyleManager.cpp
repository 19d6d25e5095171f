#include "kiv/Styles/StyleManager.h"

#include "kiv/Styles/StyleRegistry.h"

#include "bex/Core/Exception.h"

namespace Kiv
{

StyleManager::StyleManager() : StyleManager(StyleRegistry::get_global()) {}

StyleManager::StyleManager(StyleRegistry& a_registry) : m_registry(&a_registry)
{
    a_registry.add_manager(this);
}

StyleManager::~StyleManager()
{
    m_registry->remove_manager(this);
}

void StyleManager::inherit_property(Widget*, uint32_t, Widget*)
{
    throw Bex::Exception(u"StyleManager::inherit_property()");
}

bool StyleManager::get_switch_state(Widget*, uint32_t)
{
    throw Bex::Exception(u"StyleManager::get_switch_state()");
}

const WidgetClass* StyleManager::get_widget_class()
{
    throw Bex::Exception(u"StyleManager::get_widget_class()");
}

void StyleManager::register_properties(uint32_t)
{
    throw Bex::Exception(u"StyleManager::register_properties()");
}

void StyleManager::apply_property(Widget*, uint32_t, const StyleValue&)
{
    throw Bex::Exception(u"StyleManager::apply_property()");
}

void StyleManager::p_add_property(const char* a_name, StyleValueType a_type, uint32_t a_id)
{
    m_property_descriptions.push_back(
        m_registry->add_property(this, Bex::String::from_ascii(a_name), a_type, a_id));
}

void StyleManager::p_add_switch(const char* a_name, uint32_t a_id)
{
    m_switch_descriptions.push_back(
        m_registry->add_switch(this, Bex::String::from_ascii(a_name), a_id));
}

} // namespace Kiv
