#pragma once

#include "kiv/Widgets/ArrowCommandButton.h"

#include <cstdint>

namespace Tonvik
{

// A button of the preset bar that steps through the presets: direction 1 points left and goes to
// the previous preset, direction 2 points right and goes to the next one.
class PresetArrowButton : public Kiv::ArrowCommandButton
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit PresetArrowButton(uint32_t a_direction);
    const Kiv::WidgetClass& get_widget_class() const override;

    uint32_t get_preset_direction() const { return m_preset_direction; }
    // -1 for the previous preset, +1 for the next.
    int32_t get_step() const { return m_preset_direction == 1 ? -1 : 1; }

private:
    uint32_t m_preset_direction;
};

} // namespace Tonvik
