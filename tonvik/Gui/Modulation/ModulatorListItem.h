#pragma once

#include "tonvik/Gui/Modulation/ModulatorBarText.h"

namespace Tonvik
{

class ModulatorList;

// One modulator of the shown stage in the modulator list; checked while selected.
class ModulatorListItem : public ModulatorBarText
{
public:
    static Kiv::WidgetClass s_widget_class;

    ModulatorListItem(ModulatorList& a_list, Modulator* a_modulator);
    const Kiv::WidgetClass& get_widget_class() const override;

    bool is_selected() const;

private:
    void p_on_mouse_down(Kiv::WidgetEvents::OnMouseDown& a_event);

    ModulatorList& m_list;
};

} // namespace Tonvik
