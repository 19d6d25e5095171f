#pragma once

#include "kiv/Widget/Widget.h"
#include "kiv/Widgets/TextAlignment.h"

namespace Kiv
{

// One line of text, measured to fit it and centred vertically in whatever height it is given.
class Label : public Widget
{
public:
    static WidgetClass s_widget_class;

    explicit Label(const Bex::String& a_text = {});
    const WidgetClass& get_widget_class() const override;

    const Bex::String& get_text() const { return m_text; }
    void set_text(const Bex::String& a_text);
    TextAlignment get_alignment() const { return m_alignment; }
    void set_alignment(TextAlignment a_alignment);

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);

    Bex::String m_text;
    TextAlignment m_alignment = TextAlignment_LEFT;
};

} // namespace Kiv
