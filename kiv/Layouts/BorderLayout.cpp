#include "kiv/Layouts/BorderLayout.h"

#include "kiv/Layouts/LayoutPlacement.h"
#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass BorderLayout::s_widget_class("BorderLayout", "Layout");

namespace
{

// The sizes of a sequence of regions along one axis: each present one adds its size, and the
// space after it when another present one follows.
struct Run
{
    int64_t minimum = 0;
    int64_t maximum = 0;
    int64_t preferred = 0;
    bool any = false;

    void add(const WidgetSizeValues* a_sizes, bool a_horizontal, int32_t a_space_before)
    {
        if (!a_sizes)
            return;
        const int64_t space = any ? a_space_before : 0;
        minimum += space + (a_horizontal ? a_sizes->minimum_width : a_sizes->minimum_height);
        maximum += space + (a_horizontal ? a_sizes->maximum_width : a_sizes->maximum_height);
        preferred += space + (a_horizontal ? a_sizes->preferred_width : a_sizes->preferred_height);
        any = true;
    }
};

int32_t clamp_size(int64_t a_value)
{
    return int32_t(std::min<int64_t>(a_value, g_maximum_widget_size));
}

} // namespace

BorderLayout::BorderLayout()
{
    connect(on_measure(), this, &BorderLayout::p_on_measure);
    connect(on_arrange(), this, &BorderLayout::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this,
            &BorderLayout::p_on_child_requested_sizes_changed);
    connect(on_child_removing(), this, &BorderLayout::p_on_child_removing);
}

const WidgetClass& BorderLayout::get_widget_class() const
{
    return s_widget_class;
}

void BorderLayout::set_child(BorderLayoutRegion a_region, Widget* a_child)
{
    BEX_ASSERT(a_region >= 0 && a_region < BorderLayoutRegion_ENUM_SIZE);
    Widget* old = m_children[a_region];
    if (old == a_child)
        return;
    if (a_child && a_child->get_parent() == this)
    {
        // Moving a child between regions: it leaves its old one first.
        for (Widget*& child : m_children)
        {
            if (child == a_child)
                child = nullptr;
        }
    }
    m_children[a_region] = a_child;
    if (old)
        old->destroy();
    if (a_child)
        a_child->set_parent(this);
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void BorderLayout::set_space(BorderLayoutRegion a_region, int32_t a_pixels)
{
    BEX_ASSERT(a_region >= 0 && a_region < BorderLayoutRegion_ENUM_SIZE);
    m_spaces[a_region] = std::max(0, a_pixels);
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

Widget* BorderLayout::p_shown(BorderLayoutRegion a_region) const
{
    Widget* child = m_children[a_region];
    return child && child->is_visible() ? child : nullptr;
}

void BorderLayout::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    auto sizes = [this](BorderLayoutRegion a_region) -> const WidgetSizeValues*
    {
        Widget* child = p_shown(a_region);
        return child ? &child->get_requested() : nullptr;
    };
    Run middle_row;
    middle_row.add(sizes(BorderLayoutRegion_LEFT), true, 0);
    middle_row.add(sizes(BorderLayoutRegion_CENTER), true, m_spaces[BorderLayoutRegion_LEFT]);
    middle_row.add(sizes(BorderLayoutRegion_RIGHT), true,
                   sizes(BorderLayoutRegion_CENTER) ? m_spaces[BorderLayoutRegion_RIGHT]
                                                    : m_spaces[BorderLayoutRegion_LEFT]);

    // The middle band is as high as its highest region and may grow as far as any of them.
    WidgetSizeValues band{0, 0, 0, 0, 0, 0};
    bool band_present = false;
    for (BorderLayoutRegion region :
         {BorderLayoutRegion_LEFT, BorderLayoutRegion_CENTER, BorderLayoutRegion_RIGHT})
    {
        if (const WidgetSizeValues* child = sizes(region))
        {
            band.minimum_height = std::max(band.minimum_height, child->minimum_height);
            band.maximum_height = std::max(band.maximum_height, child->maximum_height);
            band.preferred_height = std::max(band.preferred_height, child->preferred_height);
            band_present = true;
        }
    }
    Run column;
    column.add(sizes(BorderLayoutRegion_TOP), false, 0);
    column.add(band_present ? &band : nullptr, false, m_spaces[BorderLayoutRegion_TOP]);
    column.add(sizes(BorderLayoutRegion_BOTTOM), false,
               band_present ? m_spaces[BorderLayoutRegion_BOTTOM]
                            : m_spaces[BorderLayoutRegion_TOP]);

    // Top and bottom span the whole width, so the widest of the three rows sets it.
    int64_t minimum_width = middle_row.minimum;
    int64_t maximum_width = middle_row.maximum;
    int64_t preferred_width = middle_row.preferred;
    for (BorderLayoutRegion region : {BorderLayoutRegion_TOP, BorderLayoutRegion_BOTTOM})
    {
        if (const WidgetSizeValues* child = sizes(region))
        {
            minimum_width = std::max<int64_t>(minimum_width, child->minimum_width);
            maximum_width = std::max<int64_t>(maximum_width, child->maximum_width);
            preferred_width = std::max<int64_t>(preferred_width, child->preferred_width);
        }
    }
    a_event.minimum_width = clamp_size(a_event.minimum_width + minimum_width);
    a_event.maximum_width = clamp_size(a_event.maximum_width + maximum_width);
    a_event.preferred_width = clamp_size(a_event.preferred_width + preferred_width);
    a_event.minimum_height = clamp_size(a_event.minimum_height + column.minimum);
    a_event.maximum_height = clamp_size(a_event.maximum_height + column.maximum);
    a_event.preferred_height = clamp_size(a_event.preferred_height + column.preferred);
}

void BorderLayout::p_on_arrange()
{
    const Rect content = get_area(WidgetArea_CONTENT);
    Widget* left = p_shown(BorderLayoutRegion_LEFT);
    Widget* center = p_shown(BorderLayoutRegion_CENTER);
    Widget* right = p_shown(BorderLayoutRegion_RIGHT);
    const bool band_present = left || center || right;

    int32_t top_edge = content.y;
    int32_t bottom_edge = content.y + content.height;
    if (Widget* top = p_shown(BorderLayoutRegion_TOP))
    {
        const WidgetSizeValues& sizes = top->get_requested();
        const int32_t height = std::clamp(sizes.preferred_height, sizes.minimum_height,
                                          std::max(sizes.minimum_height, content.height));
        place_in_area(*top, {content.x, top_edge, content.width, height});
        top_edge += height + m_spaces[BorderLayoutRegion_TOP];
    }
    if (Widget* bottom = p_shown(BorderLayoutRegion_BOTTOM))
    {
        const WidgetSizeValues& sizes = bottom->get_requested();
        const int32_t room = std::max(0, bottom_edge - top_edge);
        const int32_t height =
            std::clamp(sizes.preferred_height, std::min(sizes.minimum_height, room), room);
        place_in_area(*bottom, {content.x, bottom_edge - height, content.width, height});
        bottom_edge -= height + (band_present ? m_spaces[BorderLayoutRegion_BOTTOM] : 0);
    }
    const int32_t band_height = std::max(0, bottom_edge - top_edge);

    int32_t left_edge = content.x;
    int32_t right_edge = content.x + content.width;
    if (left)
    {
        const WidgetSizeValues& sizes = left->get_requested();
        const int32_t width = std::min(sizes.preferred_width, content.width);
        place_in_area(*left, {left_edge, top_edge, width, band_height});
        left_edge += width + m_spaces[BorderLayoutRegion_LEFT];
    }
    if (right)
    {
        const WidgetSizeValues& sizes = right->get_requested();
        const int32_t width = std::min(sizes.preferred_width, std::max(0, right_edge - left_edge));
        place_in_area(*right, {right_edge - width, top_edge, width, band_height});
        right_edge -= width + (center ? m_spaces[BorderLayoutRegion_RIGHT] : 0);
    }
    if (center)
        place_in_area(*center,
                      {left_edge, top_edge, std::max(0, right_edge - left_edge), band_height});
}

void BorderLayout::p_on_child_requested_sizes_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void BorderLayout::p_on_child_removing(WidgetEvent& a_event)
{
    for (Widget*& child : m_children)
    {
        if (child == a_event.widget)
        {
            child = nullptr;
            request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
        }
    }
}

} // namespace Kiv
