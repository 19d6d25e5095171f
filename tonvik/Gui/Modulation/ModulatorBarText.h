#pragma once

#include "kiv/Widget/Widget.h"

namespace Tonvik
{

class Modulator;

// A modulator's number and type ("2: LFO") in the colour of its "Enabled", underlined with the
// modulated pen while another modulator drives one of its parameters.
class ModulatorBarText : public Kiv::Widget
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit ModulatorBarText(Modulator* a_modulator);
    const Kiv::WidgetClass& get_widget_class() const override;

    Modulator* get_modulator() const { return m_modulator; }
    // The text for a modulator at a_position (from 0) in its stage.
    static Bex::String make_text(const Modulator& a_modulator, uint32_t a_position);
    const Bex::String& get_text() const { return m_text; }
    // Takes the modulator's place and state anew.
    void refresh();
    // The colour the text is drawn in now.
    Kiv::Color get_shown_color() const;
    bool shows_modulation() const;

    void set_enabled_modulator_text_color(Kiv::Color a_color);
    void set_disabled_modulator_text_color(Kiv::Color a_color);
    void set_modulated_pen(const Kiv::Pen& a_pen);

private:
    void p_on_measure(Kiv::WidgetEvents::OnMeasure& a_event);
    void p_on_paint(Kiv::WidgetEvents::OnPaint& a_event);

    Modulator* m_modulator;
    Bex::String m_text;
    Kiv::Color m_enabled_color{0xFFE0A458u};
    Kiv::Color m_disabled_color{0xFF5C636Cu};
    Kiv::Pen m_modulated_pen{Kiv::Color{0xFFE0A458u}, 1};
};

} // namespace Tonvik
