#pragma once

#include "kiv/Widgets/ComboBox.h"
#include "tonvik/Gui/SingleParameterEditor.h"

namespace Tonvik
{

class P_Integer;

// A key-number parameter (a retrigger key, say) as a combo box of key names: "None" and "Any"
// first where the parameter's interval reaches them, then one submenu per octave.
class PG_RetriggeringKey : public Kiv::ComboBox, public SingleParameterEditor
{
public:
    PG_RetriggeringKey(DeviceGui& a_gui, P_Integer* a_parameter);

    void refresh() override;
    void on_parameter_definition_changed(Parameter* a_parameter) override;
    // The menu again from the parameter's interval.
    void rebuild_items();

    // The item data that stands for a_value: never 0, which submenus carry. Values below -2
    // are neither keys nor names.
    static uint64_t value_to_data(int32_t a_value) { return uint64_t(int64_t(a_value) + 3); }

private:
    P_Integer* p_integer() const;
    void p_on_item_chosen(Kiv::MenuEvent& a_event);

    bool m_refreshing = false;
};

} // namespace Tonvik
