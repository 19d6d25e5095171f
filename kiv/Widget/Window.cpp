#include "kiv/Widget/Window.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass Window::s_widget_class("Window", "Widget");

const WidgetClass& Window::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Kiv
