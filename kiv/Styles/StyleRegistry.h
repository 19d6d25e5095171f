#pragma once

#include "bex/Containers/Map.h"
#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "kiv/Styles/StyleValueType.h"

#include <cstdint>
#include <memory>

namespace Kiv
{

class StyleManager;
class StyleValue;
class WidgetClass;
class WidgetClassList;

class StylePropertyDescription
{
public:
    StylePropertyDescription(uint32_t a_id, StyleManager* a_manager)
        : m_id(a_id), m_manager(a_manager)
    {
    }
    ~StylePropertyDescription();

    uint32_t get_id() const { return m_id; }
    StyleManager* get_manager() const { return m_manager; }
    // The table of named values holds one reference on each value.
    void add_named_value(const Bex::String& a_name, StyleValue* a_value);
    StyleValue* find_named_value(const Bex::String& a_name) const;

private:
    uint32_t m_id;
    StyleManager* m_manager;
    Bex::Map<Bex::String, StyleValue*> m_named_values;
};

struct StyleSwitchDescription
{
    uint32_t id;
    StyleManager* manager;
    Bex::String name;
};

// Which class declares which style properties and switches, and which manager serves each
// class. Property names are shared: one name may stand for several value types and be declared
// by several managers. Switch names are global.
class StyleRegistry
{
public:
    StyleRegistry() = default;
    StyleRegistry(const StyleRegistry&) = delete;
    StyleRegistry& operator=(const StyleRegistry&) = delete;
    ~StyleRegistry();

    static StyleRegistry& get_global();

    void add_manager(StyleManager* a_manager);
    void remove_manager(StyleManager* a_manager);
    StylePropertyDescription* add_property(StyleManager* a_manager, const Bex::String& a_name,
                                           StyleValueType a_type, uint32_t a_id);
    StyleSwitchDescription* add_switch(StyleManager* a_manager, const Bex::String& a_name,
                                       uint32_t a_id);

    // Null when the name is not registered for that type.
    const Bex::Vector<StylePropertyDescription*>* find_properties(const Bex::String& a_name,
                                                                  StyleValueType a_type) const;
    // Every value type the name is registered for, with its descriptions; null when none.
    const Bex::Map<StyleValueType, Bex::Vector<StylePropertyDescription*>>*
    find_property_types(const Bex::String& a_name) const;
    const StyleSwitchDescription* find_switch(const Bex::String& a_name) const;

    // Links classes to their bases and managers to their classes, lets each manager declare its
    // properties and gives every class the manager of its nearest ancestor that has one. Throws
    // "Invalid base class name.", "This class already has a style manager." or "Something
    // wrong." for a registration that cannot work.
    void start_up(WidgetClassList& a_classes);
    bool is_started() const { return m_classes != nullptr; }

    const WidgetClassList& get_classes() const;
    StyleManager* get_own_manager(uint32_t a_class_index) const;
    StyleManager* get_effective_manager(uint32_t a_class_index) const;

private:
    Bex::Map<Bex::String, Bex::Map<StyleValueType, Bex::Vector<StylePropertyDescription*>>>
        m_properties;
    Bex::Vector<std::unique_ptr<StylePropertyDescription>> m_property_storage;
    Bex::Map<Bex::String, std::unique_ptr<StyleSwitchDescription>> m_switch_descriptions;
    Bex::Vector<StyleManager*> m_managers;
    Bex::Vector<StyleManager*> m_own_managers;
    Bex::Vector<StyleManager*> m_effective_managers;
    WidgetClassList* m_classes = nullptr;
};

} // namespace Kiv
