#pragma once

#include <cstdint>

namespace Kiv
{

class Widget;

constexpr int32_t g_maximum_widget_size = 65536;

struct WidgetSizeValues
{
    int32_t minimum_width;
    int32_t maximum_width;
    int32_t preferred_width;
    int32_t minimum_height;
    int32_t maximum_height;
    int32_t preferred_height;

    bool operator==(const WidgetSizeValues&) const = default;
};

// Six size bounds of a widget, kept twice: as given (raw) and normalized (current). Changing the
// raw values normalizes a copy and reports a change only when the normalized values differ.
class WidgetSizes
{
public:
    WidgetSizes(Widget& a_owner, const WidgetSizeValues& a_raw) : m_owner(a_owner), m_raw(a_raw) {}
    WidgetSizes(const WidgetSizes&) = delete;
    WidgetSizes& operator=(const WidgetSizes&) = delete;
    virtual ~WidgetSizes() = default;

    const WidgetSizeValues& get() const { return m_current; }
    const WidgetSizeValues& get_raw() const { return m_raw; }

    void set_raw(const WidgetSizeValues& a_raw)
    {
        m_raw = a_raw;
        update();
    }
    // Normalizes the raw values again, for when what they are normalized against changed.
    void update();

protected:
    virtual void changed() = 0;
    virtual void normalize(WidgetSizeValues& a_values) const = 0;
    // For constructors, which cannot call the virtual normalize of a derived class.
    void p_initialize(const WidgetSizeValues& a_current) { m_current = a_current; }

    Widget& m_owner;

private:
    WidgetSizeValues m_raw;
    WidgetSizeValues m_current{};
};

// What the content needs, as measured.
class WidgetMeasuredSizes : public WidgetSizes
{
public:
    explicit WidgetMeasuredSizes(Widget& a_owner);

protected:
    void changed() override;
    void normalize(WidgetSizeValues& a_values) const override;
};

// What the widget asks of its parent: the measured range narrowed by style constraints. A raw
// value of -1 is "not set".
class WidgetRequestedSizes : public WidgetSizes
{
public:
    WidgetRequestedSizes(Widget& a_owner, const WidgetMeasuredSizes& a_measured);

    static constexpr int32_t g_unset = -1;

protected:
    void changed() override;
    void normalize(WidgetSizeValues& a_values) const override;

private:
    const WidgetMeasuredSizes& m_measured;
};

} // namespace Kiv
