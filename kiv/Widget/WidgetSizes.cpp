#include "kiv/Widget/WidgetSizes.h"

#include "kiv/Widget/Widget.h"

#include <algorithm>

namespace Kiv
{

namespace
{

void normalize_measured_axis(int32_t& a_minimum, int32_t& a_maximum, int32_t& a_preferred)
{
    a_minimum = std::clamp(a_minimum, 0, g_maximum_widget_size);
    a_maximum = std::clamp(a_maximum, a_minimum, g_maximum_widget_size);
    a_preferred = std::clamp(a_preferred, a_minimum, a_maximum);
}

void normalize_requested_axis(int32_t& a_minimum, int32_t& a_maximum, int32_t& a_preferred,
                              int32_t a_measured_minimum, int32_t a_measured_maximum,
                              int32_t a_measured_preferred)
{
    const int32_t unset = WidgetRequestedSizes::g_unset;
    a_minimum = a_minimum == unset ? a_measured_minimum
                                   : std::clamp(a_minimum, a_measured_minimum, a_measured_maximum);
    a_maximum = a_maximum == unset ? a_measured_maximum
                                   : std::clamp(a_maximum, a_measured_minimum, a_measured_maximum);
    a_preferred = a_preferred == unset
                      ? a_measured_preferred
                      : std::clamp(a_preferred, a_measured_minimum, a_measured_maximum);
    // A style maximum below its own minimum must not leave an empty range to clamp into.
    a_maximum = std::max(a_maximum, a_minimum);
    a_preferred = std::clamp(a_preferred, a_minimum, a_maximum);
}

constexpr WidgetSizeValues g_unmeasured{0, g_maximum_widget_size, 0, 0, g_maximum_widget_size, 0};
constexpr WidgetSizeValues g_unset_values{-1, -1, -1, -1, -1, -1};

} // namespace

void WidgetSizes::update()
{
    WidgetSizeValues values = m_raw;
    normalize(values);
    if (values == m_current)
        return;
    m_current = values;
    changed();
}

WidgetMeasuredSizes::WidgetMeasuredSizes(Widget& a_owner) : WidgetSizes(a_owner, g_unmeasured)
{
    p_initialize(g_unmeasured);
}

void WidgetMeasuredSizes::changed()
{
    m_owner.get_requested_sizes().update();
}

void WidgetMeasuredSizes::normalize(WidgetSizeValues& a_values) const
{
    normalize_measured_axis(a_values.minimum_width, a_values.maximum_width,
                            a_values.preferred_width);
    normalize_measured_axis(a_values.minimum_height, a_values.maximum_height,
                            a_values.preferred_height);
}

WidgetRequestedSizes::WidgetRequestedSizes(Widget& a_owner, const WidgetMeasuredSizes& a_measured)
    : WidgetSizes(a_owner, g_unset_values), m_measured(a_measured)
{
    WidgetSizeValues values = g_unset_values;
    normalize(values);
    p_initialize(values);
}

void WidgetRequestedSizes::changed()
{
    m_owner.p_requested_sizes_changed();
}

void WidgetRequestedSizes::normalize(WidgetSizeValues& a_values) const
{
    const WidgetSizeValues& measured = m_measured.get();
    normalize_requested_axis(a_values.minimum_width, a_values.maximum_width,
                             a_values.preferred_width, measured.minimum_width,
                             measured.maximum_width, measured.preferred_width);
    normalize_requested_axis(a_values.minimum_height, a_values.maximum_height,
                             a_values.preferred_height, measured.minimum_height,
                             measured.maximum_height, measured.preferred_height);
}

} // namespace Kiv
