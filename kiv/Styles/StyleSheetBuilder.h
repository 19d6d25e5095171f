#pragma once

#include "bex/Core/String.h"

#include <cstdint>

namespace Kiv
{

class StyleCaseDescription;
class StyleClassDescription;
class StyleDeclarationBlock;
class StyleRegistry;
class StyleSheet;
class StyleSubclassDescription;
class StyleValue;

// Fills a style sheet class by class, in the nesting the style-sheet language has: class, then
// its subclasses, then their cases. Every step checks that nesting.
class StyleSheetBuilder
{
public:
    // a_registry must be started; it gives the manager of each class.
    StyleSheetBuilder(StyleSheet& a_sheet, const StyleRegistry& a_registry);

    void begin_class(uint32_t a_class_index);
    // a_parent_index names the style parent, whose description applies first. A parent chain that
    // comes back to this class is refused, since applying it would never end.
    void begin_class(uint32_t a_class_index, uint32_t a_parent_index);
    void begin_subclass(const Bex::String& a_name);
    void begin_case(const Bex::String& a_name);
    void add_switch(uint32_t a_class_index, uint32_t a_switch_id, bool a_state);
    // Takes a reference on the value.
    void property(uint32_t a_class_index, uint32_t a_property_id, StyleValue* a_value);
    void end_case();
    void end_subclass();
    void end_class();

private:
    StyleSheet& m_sheet;
    const StyleRegistry& m_registry;
    StyleClassDescription* m_current_class = nullptr;
    StyleSubclassDescription* m_current_subclass = nullptr;
    StyleCaseDescription* m_current_case = nullptr;
    StyleDeclarationBlock* m_current_declaration_block = nullptr;
};

} // namespace Kiv
