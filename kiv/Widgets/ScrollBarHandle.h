#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

// The part of a scroll bar that shows the visible page and that the user drags; the bar
// handles its input.
class ScrollBarHandle : public Widget
{
public:
    static WidgetClass s_widget_class;

    ScrollBarHandle();
    const WidgetClass& get_widget_class() const override;
};

} // namespace Kiv
