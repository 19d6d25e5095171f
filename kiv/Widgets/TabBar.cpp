#include "kiv/Widgets/TabBar.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass TabBar::s_widget_class("TabBar", "HorizontalLayout");

const WidgetClass& TabBar::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Kiv
