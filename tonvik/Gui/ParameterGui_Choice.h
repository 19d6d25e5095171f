#pragma once

#include "kiv/Widgets/ComboBox.h"
#include "tonvik/Gui/SingleParameterEditor.h"

namespace Tonvik
{

class P_GenericChoice;

// A choice parameter as a combo box whose menu follows the option tree: groups open submenus,
// separators stay, each option is an item carrying the option's id. Choosing the editable
// option while it is already current opens the editor of its value beside the combo box.
class ParameterGui_Choice : public Kiv::ComboBox, public SingleParameterEditor
{
public:
    ParameterGui_Choice(DeviceGui& a_gui, P_GenericChoice* a_parameter);

    void refresh() override;
    void on_parameter_definition_changed(Parameter* a_parameter) override;

    // The menu again from the option tree, with the current option checked.
    void rebuild_items();
    // Shows the current option by its name rather than its display text, for narrow places;
    // the menu keeps the full texts.
    void set_short_names(bool a_short);

protected:
    // The editor of the editable option's value, opened as a popup at the combo box. Throws
    // "PG_Choice::do_create_editable_editor() not overridden." unless overridden.
    virtual Kiv::Widget* do_create_editable_editor();

private:
    P_GenericChoice* p_choice() const;
    void p_open_editable_editor();
    void p_on_item_chosen(Kiv::MenuEvent& a_event);

    bool m_refreshing = false;
    bool m_short_names = false;
};

} // namespace Tonvik
