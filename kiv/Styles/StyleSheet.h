#pragma once

#include "bex/Core/Vector.h"
#include "kiv/Styles/StyleDescriptions.h"

#include <cstdint>
#include <memory>

namespace Kiv
{

class Widget;
class WidgetClassList;

// The in-memory style sheet: one description per widget class index, made on first use.
class StyleSheet
{
public:
    explicit StyleSheet(const WidgetClassList& a_classes);
    StyleSheet(const StyleSheet&) = delete;
    StyleSheet& operator=(const StyleSheet&) = delete;

    bool is_empty() const { return m_class_count == 0; }
    const WidgetClassList& get_classes() const { return m_classes; }

    StyleClassDescription& get_or_add_class(uint32_t a_class_index);
    // Null when the sheet does not describe the class.
    const StyleClassDescription* find_class(uint32_t a_class_index) const;

    // Recomputes every length and font size for a display scale (1 at 96 dpi).
    void rescale(float a_base);

    // Drops every description, as after a failed load.
    void clear();

private:
    const WidgetClassList& m_classes;
    Bex::Vector<std::unique_ptr<StyleClassDescription>> m_descriptions;
    uint32_t m_class_count = 0;
};

// Applies the sheet to one widget: the nearest described class of the widget (itself or an
// ancestor), with that description's style parents first, then its subclass and the first case
// whose switches match the widget's state.
void apply_style(const StyleSheet& a_sheet, Widget& a_widget);

} // namespace Kiv
