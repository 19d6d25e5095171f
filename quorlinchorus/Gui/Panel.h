#pragma once

#include "kiv/Layouts/LinearLayouts.h"

namespace quorlinchorus
{

// One area of the editor (the preset bar, the mix, the voices, the modulation), framed by the
// style sheet.
class Panel : public Kiv::VerticalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit Panel(Kiv::Widget* a_content);
    const Kiv::WidgetClass& get_widget_class() const override;
};

} // namespace quorlinchorus
