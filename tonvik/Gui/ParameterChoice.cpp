#include "tonvik/Gui/ParameterChoice.h"

#include "bex/Core/FormatMessage.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/ParameterIterator.h"
#include "tonvik/Devices/ParameterIteratorListener.h"
#include "tonvik/Gui/ParameterMenuBuilder.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/Modulator.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterGroup.h"

#include <algorithm>

namespace Tonvik
{

namespace
{

constexpr uint64_t g_empty_data = ParameterMenuBuilder::g_no_parameter_data;

class Collector : public ParameterIteratorListener
{
public:
    explicit Collector(const Parameter* a_wanted) : m_wanted(a_wanted) {}
    void parameter(Parameter* a_parameter) override
    {
        m_found = m_found || a_parameter == m_wanted;
    }

    const Parameter* m_wanted;
    bool m_found = false;
};

} // namespace

ParameterChoice::ParameterChoice(Device& a_device, uint32_t a_slot, uint32_t a_scope,
                                 uint32_t a_filter, Modulator* a_owner)
    : ParameterChoice(a_device, a_device.get_assignable_slots(), a_slot, a_scope, a_filter, a_owner)
{
}

ParameterChoice::ParameterChoice(Device& a_device, AssignableSlots* a_slots, uint32_t a_slot,
                                 uint32_t a_scope, uint32_t a_filter, Modulator* a_owner)
    : m_device(a_device), m_slots(a_slots), m_slot(a_slot), m_scope(a_scope), m_filter(a_filter),
      m_owner(a_owner)
{
    connect(on_item_chosen(), this, &ParameterChoice::p_on_item_chosen);
    rebuild_items();
}

Parameter* ParameterChoice::get_chosen() const
{
    return m_slots && m_slot < m_slots->get_slot_count() ? m_slots->get_assigned(m_slot) : nullptr;
}

void ParameterChoice::p_walk(ParameterIteratorListener& a_listener) const
{
    const uint32_t first_modulator = m_owner ? uint32_t(m_owner->get_index() + 1) : 0;
    ParameterIterator iterator(&m_device, m_device.get_program(), &a_listener, m_scope, m_filter,
                               first_modulator);
    iterator.walk();
}

bool ParameterChoice::p_is_offered(const Parameter* a_parameter) const
{
    Collector collector(a_parameter);
    p_walk(collector);
    return collector.m_found;
}

void ParameterChoice::rebuild_items()
{
    auto root = std::make_unique<Kiv::MenuItem>();
    Parameter* chosen = get_chosen();
    root->add(g_empty_text, g_empty_data).checked = !chosen;
    if (m_slots && m_device.get_program())
    {
        ParameterMenuBuilder builder(*root, chosen);
        p_walk(builder);
    }
    set_items(std::move(root));
    refresh();
}

void ParameterChoice::refresh()
{
    set_current_data(ParameterMenuBuilder::data_of(get_chosen()));
}

void ParameterChoice::p_on_item_chosen(Kiv::MenuEvent& a_event)
{
    AssignableSlots* slots = m_slots;
    if (!slots || m_slot >= slots->get_slot_count())
        return refresh();
    Parameter* previous = slots->get_assigned(m_slot);
    Parameter* parameter = nullptr;
    if (a_event.item->data != g_empty_data)
    {
        // The menu was built before; its modulator may be gone since.
        parameter = reinterpret_cast<Parameter*>(uintptr_t(a_event.item->data));
        if (!p_is_offered(parameter))
            return rebuild_items();
    }
    if (parameter == previous)
        return;
    slots->assign(m_slot, parameter);
    refresh();
    if (slots->get_assigned(m_slot) == previous)
        return;
    Kiv::WidgetEvent event{this};
    m_on_changed.emit(event);
}

} // namespace Tonvik
