#include "kiv/Widgets/ToggleButton.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass ToggleButton::s_widget_class("ToggleButton", "Widget");

const WidgetClass& ToggleButton::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Kiv
