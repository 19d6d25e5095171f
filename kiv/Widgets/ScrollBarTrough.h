#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

// The track a scroll bar's handle moves along; a press in it pages. The bar handles its input.
class ScrollBarTrough : public Widget
{
public:
    static WidgetClass s_widget_class;

    ScrollBarTrough();
    const WidgetClass& get_widget_class() const override;
};

} // namespace Kiv
