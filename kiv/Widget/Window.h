#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

// The root of a tree of widgets on a desktop; focus moves activate the window they land in.
class Window : public Widget
{
public:
    static WidgetClass s_widget_class;

    Window() { p_set_window_root(); }
    const WidgetClass& get_widget_class() const override;
};

} // namespace Kiv
