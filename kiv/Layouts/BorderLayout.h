#pragma once

#include "kiv/Layouts/Layout.h"

namespace Kiv
{

enum BorderLayoutRegion
{
    BorderLayoutRegion_CENTER = 0,
    BorderLayoutRegion_TOP = 1,
    BorderLayoutRegion_BOTTOM = 2,
    BorderLayoutRegion_LEFT = 3,
    BorderLayoutRegion_RIGHT = 4,
    BorderLayoutRegion_ENUM_SIZE = 5,
};

// One child per region: top and bottom take their preferred height across the whole width, left
// and right their preferred width in the band between them, and the centre what remains. Spaces
// separate neighbouring regions that hold visible children.
class BorderLayout : public Layout
{
public:
    static WidgetClass s_widget_class;

    BorderLayout();
    const WidgetClass& get_widget_class() const override;

    // Takes the child over; a child already in the region is destroyed. Null empties it.
    void set_child(BorderLayoutRegion a_region, Widget* a_child);
    Widget* get_child(BorderLayoutRegion a_region) const { return m_children[a_region]; }

    // The space after the top region, before the bottom one, after the left one and before the
    // right one.
    void set_space(BorderLayoutRegion a_region, int32_t a_pixels);
    int32_t get_space(BorderLayoutRegion a_region) const { return m_spaces[a_region]; }

private:
    // The child when it is visible, or null.
    Widget* p_shown(BorderLayoutRegion a_region) const;
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_child_requested_sizes_changed();
    void p_on_child_removing(WidgetEvent& a_event);

    Widget* m_children[BorderLayoutRegion_ENUM_SIZE] = {};
    int32_t m_spaces[BorderLayoutRegion_ENUM_SIZE] = {};
};

} // namespace Kiv
