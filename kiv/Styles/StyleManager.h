#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "kiv/Styles/StyleValueType.h"

#include <cstdint>

namespace Kiv
{

class StylePropertyDescription;
class StyleRegistry;
struct StyleSwitchDescription;
class StyleValue;
class Widget;
class WidgetClass;

// Declares the style properties and switches of one widget class and applies them to widgets
// of that class. One static instance per class that has properties of its own; it enters the
// registry when constructed and declares its properties at start-up.
class StyleManager
{
public:
    // Enters the process-wide registry.
    StyleManager();
    explicit StyleManager(StyleRegistry& a_registry);
    StyleManager(const StyleManager&) = delete;
    StyleManager& operator=(const StyleManager&) = delete;

    // Copies the property's current value from a_parent; for values that say "parent".
    virtual void inherit_property(Widget* a_widget, uint32_t a_property_id, Widget* a_parent);
    virtual bool get_switch_state(Widget* a_widget, uint32_t a_switch_id);
    virtual const WidgetClass* get_widget_class();
    virtual void register_properties(uint32_t a_class_index);
    virtual void apply_property(Widget* a_widget, uint32_t a_property_id,
                                const StyleValue& a_value);
    virtual ~StyleManager();

    StyleRegistry& get_registry() const { return *m_registry; }
    // Set at start-up.
    const WidgetClass* get_class() const { return m_widget_class; }
    const Bex::Vector<StylePropertyDescription*>& get_property_descriptions() const
    {
        return m_property_descriptions;
    }
    const Bex::Vector<StyleSwitchDescription*>& get_switch_descriptions() const
    {
        return m_switch_descriptions;
    }

protected:
    void p_add_property(const char* a_name, StyleValueType a_type, uint32_t a_id);
    void p_add_switch(const char* a_name, uint32_t a_id);

private:
    friend class StyleRegistry;

    StyleRegistry* m_registry;
    const WidgetClass* m_widget_class = nullptr;
    Bex::Vector<StylePropertyDescription*> m_property_descriptions;
    Bex::Vector<StyleSwitchDescription*> m_switch_descriptions;
};

} // namespace Kiv
