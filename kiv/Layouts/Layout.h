#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

// The base of widgets whose job is to place their children.
class Layout : public Widget
{
public:
    static WidgetClass s_widget_class;

    const WidgetClass& get_widget_class() const override;
};

} // namespace Kiv
