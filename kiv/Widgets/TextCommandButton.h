#pragma once

#include "kiv/Widgets/CommandButton.h"

namespace Kiv
{

// A button with a line of text centred in it.
class TextCommandButton : public CommandButton
{
public:
    static WidgetClass s_widget_class;

    explicit TextCommandButton(const Bex::String& a_text);
    const WidgetClass& get_widget_class() const override;

    const Bex::String& get_text() const { return m_text; }
    void set_text(const Bex::String& a_text);

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);

    Bex::String m_text;
};

} // namespace Kiv
