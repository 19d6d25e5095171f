#pragma once

#include "kiv/Graphics/Geometry.h"
#include "kiv/Graphics/Painter.h"

namespace Kiv
{

class Widget;

// The painter a widget paints with: it restricts drawing to one area of the widget at a time
// (inside the margins, inside the border, or the content area inside the padding) and moves the
// origin to that area's corner.
class WidgetPainter
{
public:
    WidgetPainter(Painter& a_painter, const Widget& a_widget)
        : m_painter(a_painter), m_widget(a_widget)
    {
    }
    WidgetPainter(const WidgetPainter&) = delete;
    WidgetPainter& operator=(const WidgetPainter&) = delete;
    ~WidgetPainter() { p_leave_area(); }

    // A kind of WidgetArea; an unknown kind is an empty area. Selecting the kind already selected
    // does nothing.
    void select_area(int a_kind);
    int get_area_kind() const { return m_kind; }
    // The selected area, with its corner at 0, 0.
    Size get_area_size() const { return {m_area.width, m_area.height}; }

    Painter& get_painter() { return m_painter; }
    const Widget& get_widget() const { return m_widget; }

private:
    void p_leave_area();

    static constexpr int g_no_area = -1;

    Painter& m_painter;
    const Widget& m_widget;
    int m_kind = g_no_area;
    Rect m_area;
};

} // namespace Kiv
