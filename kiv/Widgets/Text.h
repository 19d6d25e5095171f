#pragma once

#include "kiv/Widgets/Label.h"

namespace Kiv
{

// A value shown to the user, read-only: a label that the style sheet gives the look of a value.
class Text : public Label
{
public:
    static WidgetClass s_widget_class;

    explicit Text(const Bex::String& a_text = {}) : Label(a_text) {}
    const WidgetClass& get_widget_class() const override;
};

} // namespace Kiv
