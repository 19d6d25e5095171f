#pragma once

#include "kiv/Graphics/Border.h"
#include "kiv/Widgets/CheckableButton.h"

namespace Kiv
{

// A small box that shows a check mark while checked, followed by a line of text. A click
// anywhere on it toggles it.
class CheckBox : public CheckableButton
{
public:
    static WidgetClass s_widget_class;

    explicit CheckBox(const Bex::String& a_text = {});
    const WidgetClass& get_widget_class() const override;

    const Bex::String& get_text() const { return m_text; }
    void set_text(const Bex::String& a_text);

    // The look of the box; the style sheet sets them.
    void set_box_size(int32_t a_pixels);
    void set_box_spacing(int32_t a_pixels);
    void set_box_frame(const Frame& a_frame);
    void set_mark_color(Color a_color);
    int32_t get_box_size() const { return m_box_size; }
    // The box in the widget's coordinates, as last arranged.
    Rect get_box_rect() const;

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);
    void p_changed_size();

    Bex::String m_text;
    int32_t m_box_size = 14;
    int32_t m_box_spacing = 6;
    Frame m_box_frame;
    Color m_mark_color;
};

} // namespace Kiv
