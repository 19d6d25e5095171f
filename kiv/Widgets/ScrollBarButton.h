#pragma once

#include "kiv/Widgets/ArrowCommandButton.h"

namespace Kiv
{

// A scroll bar's arrow at either end. It never takes the focus from what the bar scrolls.
class ScrollBarButton : public ArrowCommandButton
{
public:
    static WidgetClass s_widget_class;

    explicit ScrollBarButton(ArrowDirection a_direction);
    const WidgetClass& get_widget_class() const override;
};

} // namespace Kiv
