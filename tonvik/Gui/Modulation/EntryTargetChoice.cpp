#include "tonvik/Gui/Modulation/EntryTargetChoice.h"

#include "bex/Core/FormatMessage.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/ParameterIterator.h"
#include "tonvik/Gui/ParameterMenuBuilder.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterGroup.h"

namespace Tonvik
{

namespace
{

constexpr uint64_t g_no_target_data = ParameterMenuBuilder::g_no_parameter_data;

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
    ParameterMenuBuilder builder(*root, get_target_parameter());
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
    if (!set_current_data(ParameterMenuBuilder::data_of(get_target_parameter())))
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
