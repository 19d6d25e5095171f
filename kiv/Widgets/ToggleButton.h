#pragma once

#include "kiv/Widgets/CheckableButton.h"

namespace Kiv
{

// A button that stays down while it is checked; it paints nothing but its frame, which the
// style sheet changes with the "checked" switch.
class ToggleButton : public CheckableButton
{
public:
    static WidgetClass s_widget_class;

    const WidgetClass& get_widget_class() const override;
};

} // namespace Kiv
