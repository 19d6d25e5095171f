#include "kiv/Widget/WidgetPainter.h"

#include "kiv/Widget/Widget.h"

namespace Kiv
{

void WidgetPainter::select_area(int a_kind)
{
    if (a_kind == m_kind)
        return;
    p_leave_area();
    m_kind = a_kind;
    m_area = m_widget.get_area(a_kind);
    m_painter.push_transform(Transform::translation(float(m_area.x), float(m_area.y)));
    m_painter.push_clip({0, 0, m_area.width, m_area.height});
}

void WidgetPainter::p_leave_area()
{
    if (m_kind == g_no_area)
        return;
    m_painter.pop_clip();
    m_painter.pop_transform();
    m_kind = g_no_area;
}

} // namespace Kiv
