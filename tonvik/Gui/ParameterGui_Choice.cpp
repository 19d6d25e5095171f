#include "tonvik/Gui/ParameterGui_Choice.h"

#include "bex/Core/Exception.h"
#include "kiv/Desktop/Desktop.h"
#include "tonvik/ParameterTypes/P_GenericChoice.h"
#include "tonvik/ParameterTypes/P_GenericChoice_Iterator.h"

namespace Tonvik
{

namespace
{

// Builds the menu tree depth first: the innermost open submenu takes what comes.
class MenuBuilder : public P_GenericChoice_Iterator
{
public:
    MenuBuilder(Kiv::MenuItem& a_root, const P_GenericChoice_Option* a_current)
        : m_current(a_current)
    {
        m_stack.push_back(&a_root);
    }

    void enter_group(P_GenericChoice_Group& a_group) override
    {
        m_stack.push_back(&m_stack.back()->add_submenu(a_group.m_name));
    }
    void leave_group(P_GenericChoice_Group&) override { m_stack.pop_back(); }
    void separator(P_GenericChoice_Separator&) override { m_stack.back()->add_separator(); }
    void option(P_GenericChoice_Option& a_option) override
    {
        Kiv::MenuItem& item = m_stack.back()->add(a_option.m_menu_text, a_option.m_id);
        item.checked = &a_option == m_current;
    }

private:
    const P_GenericChoice_Option* m_current;
    Bex::Vector<Kiv::MenuItem*> m_stack;
};

} // namespace

ParameterGui_Choice::ParameterGui_Choice(DeviceGui& a_gui, P_GenericChoice* a_parameter)
    : SingleParameterEditor(a_gui, a_parameter)
{
    set_widget(this);
    m_relayout_on_definition_change = true;
    connect(on_item_chosen(), this, &ParameterGui_Choice::p_on_item_chosen);
    rebuild_items();
}

P_GenericChoice* ParameterGui_Choice::p_choice() const
{
    return static_cast<P_GenericChoice*>(get_parameter());
}

void ParameterGui_Choice::rebuild_items()
{
    P_GenericChoice* choice = p_choice();
    if (!choice)
        return;
    auto root = std::make_unique<Kiv::MenuItem>();
    MenuBuilder builder(*root, choice->get_current_option());
    builder.iterate(*choice);
    set_items(std::move(root));
    refresh();
}

void ParameterGui_Choice::refresh()
{
    P_GenericChoice* choice = p_choice();
    if (!choice || m_refreshing)
        return;
    m_refreshing = true;
    const P_GenericChoice_Option* current = choice->get_current_option();
    if (!current || !set_current_data(current->m_id))
        set_current(nullptr);
    else if (m_short_names)
        set_text(current->m_name);
    m_refreshing = false;
}

void ParameterGui_Choice::set_short_names(bool a_short)
{
    m_short_names = a_short;
    refresh();
    if (!a_short)
        set_text(Bex::String());
}

void ParameterGui_Choice::on_parameter_definition_changed(Parameter* a_parameter)
{
    rebuild_items();
    SingleParameterEditor::on_parameter_definition_changed(a_parameter);
}

Kiv::Widget* ParameterGui_Choice::do_create_editable_editor()
{
    throw Bex::Exception(Bex::String(u"PG_Choice::do_create_editable_editor() not overridden."));
}

void ParameterGui_Choice::p_open_editable_editor()
{
    Kiv::Desktop* desktop = get_desktop();
    if (!desktop)
        return;
    Kiv::Widget* editor = do_create_editable_editor();
    if (!editor)
        return;
    const Kiv::Point corner = get_desktop_position();
    desktop->open_popup(editor, {corner.x, corner.y, get_width(), get_height()});
}

void ParameterGui_Choice::p_on_item_chosen(Kiv::MenuEvent& a_event)
{
    P_GenericChoice* choice = p_choice();
    if (!choice || m_refreshing)
        return;
    const auto id = uint32_t(a_event.item->data);
    const P_GenericChoice_Option* current = choice->get_current_option();
    if (current && current->m_id == id)
    {
        if (choice->m_editable_option_id && id == choice->m_editable_option_id)
            p_open_editable_editor();
        return;
    }
    choice->select_option_by_user(id);
    // An id the choice does not know selects its first option: show what it holds.
    refresh();
    p_update_hint();
}

} // namespace Tonvik
