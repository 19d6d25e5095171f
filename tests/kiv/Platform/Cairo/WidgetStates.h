#pragma once

#include "kiv/Widget/Widget.h"

namespace KivTest
{

// The columns of the pictures that show every widget in each of its states.
enum Column
{
    Column_NORMAL = 1,
    Column_HOVER,
    Column_PRESSED,
    Column_FOCUSED,
    Column_DISABLED,
    Column_CHECKED,
    Column_COUNT,
};

// Puts a widget in the look of a column; the desktop keeps the real hover and focus, so these
// are set by hand as the desktop would.
inline void show_state(Kiv::Widget& a_widget, int a_column)
{
    switch (a_column)
    {
    case Column_HOVER:
        a_widget.set_style_state(Kiv::WidgetStyleState_HOVER, true);
        break;
    case Column_PRESSED:
        a_widget.set_style_state(Kiv::WidgetStyleState_HOVER, true);
        a_widget.set_style_state(Kiv::WidgetStyleState_PRESSED, true);
        break;
    case Column_FOCUSED:
        a_widget.set_style_state(Kiv::WidgetStyleState_FOCUSED, true);
        break;
    case Column_DISABLED:
        a_widget.set_enabled(false);
        break;
    default:
        break;
    }
}

} // namespace KivTest
