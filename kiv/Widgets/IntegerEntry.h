#pragma once

#include "kiv/Widget/Widget.h"

#include <cstdint>
#include <optional>

namespace Kiv
{

class Entry;

// An entry for a whole number within a range. What the user types counts when Return is
// pressed or the field loses the focus: it is clamped to the range and shown again, and text
// that is no number brings the last value back, as Escape does. Up and Down and the wheel step
// by one.
class IntegerEntry : public Widget
{
public:
    static WidgetClass s_widget_class;

    IntegerEntry(int32_t a_minimum, int32_t a_maximum);
    const WidgetClass& get_widget_class() const override;

    int32_t get_value() const { return m_value; }
    // Clamped to the range; nothing is signalled.
    void set_value(int32_t a_value);
    int32_t get_minimum() const { return m_minimum; }
    int32_t get_maximum() const { return m_maximum; }
    // A reversed range is put in order; the value is clamped into it without a signal.
    void set_range(int32_t a_minimum, int32_t a_maximum);
    // Takes what the user typed, as Return does.
    void commit();
    // Enables or disables the field with the widget: the desktop asks only the field that gets
    // an event whether it is enabled.
    void set_enabled(bool a_enabled);

    // The field the user types into.
    Entry& get_entry() const { return *m_entry; }
    Bex::Signal1<WidgetEvent>& on_value_changed() { return m_on_value_changed; }

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_entry_key(WidgetEvents::OnKeyboardDown& a_event);
    void p_on_wheel(WidgetEvents::OnMouseWheel& a_event);
    void p_on_child_sizes_changed();
    // The typed number clamped to the range; nothing when the text is no number.
    std::optional<int32_t> p_parse() const;
    void p_step(int64_t a_delta);
    void p_change_value(int32_t a_value);
    void p_show();

    Entry* m_entry;
    int32_t m_minimum;
    int32_t m_maximum;
    int32_t m_value;
    Bex::Signal1<WidgetEvent> m_on_value_changed;
};

} // namespace Kiv
