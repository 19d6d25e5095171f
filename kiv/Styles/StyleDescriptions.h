#pragma once

#include "bex/Containers/Map.h"
#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "kiv/Styles/StyleDeclarationBlock.h"

#include <cstdint>
#include <memory>

namespace Kiv
{

class StyleClassDescription;
class StyleManager;
class StyleSubclassDescription;
class WidgetClass;

struct StyleSwitchCondition
{
    bool state;
    StyleManager* manager;
    uint32_t switch_id;
};

// A block that applies while every one of its switch conditions holds.
class StyleCaseDescription
{
public:
    StyleCaseDescription(StyleSubclassDescription* a_subclass, Bex::String a_name)
        : m_subclass(a_subclass), m_name(std::move(a_name))
    {
    }

    StyleSubclassDescription* get_subclass() const { return m_subclass; }
    const Bex::String& get_name() const { return m_name; }
    StyleDeclarationBlock& get_block() { return m_block; }
    const StyleDeclarationBlock& get_block() const { return m_block; }
    const Bex::Vector<StyleSwitchCondition>& get_conditions() const { return m_conditions; }
    void add_condition(const StyleSwitchCondition& a_condition)
    {
        m_conditions.push_back(a_condition);
    }

private:
    StyleSubclassDescription* m_subclass;
    Bex::String m_name;
    StyleDeclarationBlock m_block;
    Bex::Vector<StyleSwitchCondition> m_conditions;
};

class StyleSubclassDescription
{
public:
    StyleSubclassDescription(StyleClassDescription* a_class, Bex::String a_name);

    StyleClassDescription* get_class() const { return m_class; }
    const Bex::String& get_name() const { return m_name; }
    StyleDeclarationBlock& get_block() { return m_block; }
    const StyleDeclarationBlock& get_block() const { return m_block; }
    StyleCaseDescription& get_default_case() { return m_default_case; }
    const StyleCaseDescription& get_default_case() const { return m_default_case; }
    // In the order they were first declared.
    const Bex::Vector<std::unique_ptr<StyleCaseDescription>>& get_cases() const { return m_cases; }

    // "default" gives the default case; another name the first case of that name, made when
    // missing.
    StyleCaseDescription& get_or_add_case(const Bex::String& a_name);
    void rescale(float a_base);

private:
    StyleClassDescription* m_class;
    Bex::String m_name;
    StyleDeclarationBlock m_block;
    StyleCaseDescription m_default_case;
    Bex::Vector<std::unique_ptr<StyleCaseDescription>> m_cases;
};

class StyleClassDescription
{
public:
    explicit StyleClassDescription(const WidgetClass* a_widget_class);

    const WidgetClass* get_widget_class() const { return m_widget_class; }
    StyleDeclarationBlock& get_block() { return m_block; }
    const StyleDeclarationBlock& get_block() const { return m_block; }
    const StyleClassDescription* get_style_parent() const { return m_style_parent; }
    void set_style_parent(const StyleClassDescription* a_parent) { m_style_parent = a_parent; }
    StyleSubclassDescription& get_default_subclass() { return *m_default_subclass; }
    const StyleSubclassDescription& get_default_subclass() const { return *m_default_subclass; }

    StyleSubclassDescription& add_subclass(const Bex::String& a_name);
    // Null when the class has no subclass of that name.
    const StyleSubclassDescription* find_subclass(const Bex::String& a_name) const;
    StyleSubclassDescription* find_subclass(const Bex::String& a_name);
    void rescale(float a_base);

private:
    const WidgetClass* m_widget_class;
    StyleDeclarationBlock m_block;
    const StyleClassDescription* m_style_parent = nullptr;
    Bex::Map<Bex::String, std::unique_ptr<StyleSubclassDescription>> m_subclasses;
    StyleSubclassDescription* m_default_subclass;
};

} // namespace Kiv
