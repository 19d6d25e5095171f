#pragma once

#include "kiv/Layouts/LinearLayouts.h"

namespace Kiv
{

// The row of tabs over the pages of a Tabs widget; a class of its own so that style sheets can
// set it apart from other rows.
class TabBar : public HorizontalLayout
{
public:
    static WidgetClass s_widget_class;

    const WidgetClass& get_widget_class() const override;
};

} // namespace Kiv
