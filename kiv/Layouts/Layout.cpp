#include "kiv/Layouts/Layout.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass Layout::s_widget_class("Layout", "Widget");

const WidgetClass& Layout::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Kiv
