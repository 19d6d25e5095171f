#include "kiv/Widgets/IntegerEntry.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/Entry.h"

#include <algorithm>

namespace Kiv
{

WidgetClass IntegerEntry::s_widget_class("IntegerEntry", "Widget");

IntegerEntry::IntegerEntry(int32_t a_minimum, int32_t a_maximum)
    : m_entry(new Entry()), m_minimum(std::min(a_minimum, a_maximum)),
      m_maximum(std::max(a_minimum, a_maximum)), m_value(std::clamp(0, m_minimum, m_maximum))
{
    m_entry->set_style_subclass(u"Integer");
    m_entry->set_allowed_characters(u"-0123456789");
    // The wheel over the field steps the value here.
    m_entry->set_input_event_propagation_filter(InputEventType_MOUSE_WHEEL, true);
    m_entry->set_parent(this);
    connect(on_measure(), this, &IntegerEntry::p_on_measure);
    connect(on_arrange(), this, &IntegerEntry::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this, &IntegerEntry::p_on_child_sizes_changed);
    connect(on_mouse_wheel(), this, &IntegerEntry::p_on_wheel);
    connect(m_entry->on_keyboard_down(), this, &IntegerEntry::p_on_entry_key);
    connect(m_entry->on_return(), this, &IntegerEntry::commit);
    connect(m_entry->on_focus_out(), this, &IntegerEntry::commit);
    p_show();
}

const WidgetClass& IntegerEntry::get_widget_class() const
{
    return s_widget_class;
}

void IntegerEntry::set_value(int32_t a_value)
{
    m_value = std::clamp(a_value, m_minimum, m_maximum);
    p_show();
}

void IntegerEntry::set_range(int32_t a_minimum, int32_t a_maximum)
{
    m_minimum = std::min(a_minimum, a_maximum);
    m_maximum = std::max(a_minimum, a_maximum);
    set_value(m_value);
}

void IntegerEntry::set_enabled(bool a_enabled)
{
    Widget::set_enabled(a_enabled);
    m_entry->set_enabled(a_enabled);
}

void IntegerEntry::commit()
{
    if (const std::optional<int32_t> typed = p_parse())
        p_change_value(*typed);
    else
        p_show();
}

std::optional<int32_t> IntegerEntry::p_parse() const
{
    const Bex::String& text = m_entry->get_text();
    const bool negative = !text.empty() && text[0] == u'-';
    const size_t first = negative ? 1 : 0;
    if (text.size() == first)
        return std::nullopt;
    // Saturates instead of overflowing: a long run of digits is still just "too large".
    constexpr int64_t limit = int64_t(1) << 40;
    int64_t magnitude = 0;
    for (size_t index = first; index < text.size(); ++index)
    {
        const char16_t unit = text[index];
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        magnitude = std::min(magnitude * 10 + (unit - u'0'), limit);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return int32_t(std::clamp<int64_t>(value, m_minimum, m_maximum));
}

void IntegerEntry::p_step(int64_t a_delta)
{
    const int32_t base = p_parse().value_or(m_value);
    p_change_value(int32_t(std::clamp<int64_t>(int64_t(base) + a_delta, m_minimum, m_maximum)));
}

void IntegerEntry::p_change_value(int32_t a_value)
{
    const bool changed = a_value != m_value;
    m_value = a_value;
    p_show();
    if (!changed)
        return;
    // Handlers may destroy the entry: the scope keeps it alive until they are all done.
    WidgetEventScope scope;
    WidgetEvent event{this};
    m_on_value_changed.emit(event);
}

void IntegerEntry::p_show()
{
    m_entry->set_text(Bex::String::from_number(m_value));
}

void IntegerEntry::p_on_entry_key(WidgetEvents::OnKeyboardDown& a_event)
{
    switch (a_event.key)
    {
    case KeyCode_UP:
        p_step(1);
        break;
    case KeyCode_DOWN:
        p_step(-1);
        break;
    case KeyCode_ESCAPE:
        p_show();
        break;
    default:
        break;
    }
}

void IntegerEntry::p_on_wheel(WidgetEvents::OnMouseWheel& a_event)
{
    if (a_event.delta != 0)
        p_step(a_event.delta);
}

void IntegerEntry::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    const WidgetSizeValues& field = m_entry->get_requested();
    a_event.minimum_width += field.minimum_width;
    a_event.maximum_width += field.maximum_width;
    a_event.preferred_width += field.preferred_width;
    a_event.minimum_height += field.minimum_height;
    a_event.maximum_height += field.maximum_height;
    a_event.preferred_height += field.preferred_height;
}

void IntegerEntry::p_on_arrange()
{
    const Rect content = get_area(WidgetArea_CONTENT);
    m_entry->set_geometry(content.x, content.y, content.width, content.height);
}

void IntegerEntry::p_on_child_sizes_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

} // namespace Kiv
