#include "kiv/Widgets/Text.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass Text::s_widget_class("Text", "Widget");

const WidgetClass& Text::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Kiv
