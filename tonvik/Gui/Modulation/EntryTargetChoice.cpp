#include "tonvik/Gui/Modulation/EntryTargetChoice.h"

#include "bex/Core/FormatMessage.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/ParameterIterator.h"
#include "tonvik/Devices/ParameterIteratorListener.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterGroup.h"

namespace Tonvik
{

namespace
{

// Pointers are never 1, so the empty choice cannot meet a parameter; nor 0, which submenus carry.
constexpr uint64_t g_no_target_data = 1;

uint64_t target_data(const Parameter* a_parameter)
{
    return a_parameter ? uint64_t(reinterpret_cast<uintptr_t>(a_parameter)) : g_no_target_data;
}

class TargetMenuBuilder : public ParameterIteratorListener
{
public:
    explicit TargetMenuBuilder(Kiv::MenuItem& a_root) { m_stack.push_back(&a_root); }

    void begin_modulator(Modulator* a_modulator) override { p_open(a_modulator->get_name()); }
    void end_modulator(Modulator*) override { p_close(); }
    void begin_entry(ModulatorEntry* a_entry) override
    {
        p_open(
            Bex::format_message(u"Entry @1", {Bex::String::from_number(a_entry->get_index() + 1)}));
    }
    void end_entry(ModulatorEntry*) override { p_close(); }
    void enter_subgroup(ParameterGroup* a_group) override { p_open(a_group->m_name); }
    void leave_subgroup(ParameterGroup*) override { p_close(); }
    void parameter(Parameter* a_parameter) override
    {
        m_stack.back()->add(a_parameter->get_name(), target_data(a_parameter));
        m_found.push_back(a_parameter);
    }

    Bex::Vector<Parameter*> m_found;

private:
    void p_open(const Bex::String& a_name)
    {
        m_stack.push_back(&m_stack.back()->add_submenu(a_name));
    }
    // An empty submenu would look like a command.
    void p_close()
    {
        Kiv::MenuItem* closed = m_stack.back();
        m_stack.pop_back();
        if (!closed->has_children())
            m_stack.back()->children.pop_back();
    }

    Bex::Vector<Kiv::MenuItem*> m_stack;
};

} // namespace

EntryTargetChoice::EntryTargetChoice(Device& a_device, ModulatorEntry* a_entry)
    : m_device(a_device), m_entry(a_entry)
{
    connect(on_item_chosen(), this, &EntryTargetChoice::p_on_item_chosen);
    rebuild_items();
}

Parameter* EntryTargetChoice::get_target_parameter() const
{
    Modulatee* target = m_entry->get_target();
    return target ? target->get_modulatee_parameter() : nullptr;
}

void EntryTargetChoice::rebuild_items()
{
    auto root = std::make_unique<Kiv::MenuItem>();
    root->add(g_no_target_text, g_no_target_data);
    const int32_t own_index = m_entry->get_modulator()->get_index();
    uint32_t scope = ParameterIteratorScope_MODULATORS;
    if (m_device.get_program())
        scope |= ParameterIteratorScope_PROGRAM;
    TargetMenuBuilder builder(*root);
    ParameterIterator iterator(&m_device, m_device.get_program(), &builder, scope,
                               ParameterIteratorFilter_MODULATABLE,
                               own_index >= 0 ? uint32_t(own_index + 1) : 0);
    iterator.walk();
    set_items(std::move(root));
    refresh();
}

void EntryTargetChoice::refresh()
{
    // A target outside the menu (a loaded one that no longer fits the order) is still named.
    if (!set_current_data(target_data(get_target_parameter())))
        set_text(get_target_parameter()->get_name());
}

void EntryTargetChoice::p_on_item_chosen(Kiv::MenuEvent& a_event)
{
    Parameter* parameter = nullptr;
    const uint64_t data = a_event.item->data;
    if (data != g_no_target_data)
    {
        // The menu may have been built before a modulator went: only what a fresh walk still
        // offers is taken.
        rebuild_items();
        if (!get_items().find_by_data(data))
            return;
        parameter = reinterpret_cast<Parameter*>(uintptr_t(data));
    }
    m_entry->get_modulatee_parameter()->set_target(parameter ? parameter->get_modulatee()
                                                             : nullptr);
    refresh();
}

} // namespace Tonvik
