#pragma once

#include "kiv/Widgets/ComboBox.h"

#include <cstdint>

namespace Tonvik
{

class AssignableSlots;
class Device;
class Modulator;
class Parameter;
class ParameterIteratorListener;

// A combo box that chooses the parameter behind one of the program's assignable slots. Its
// menu is a walk over the device's parameters with the given scope and filter bits: modulators,
// their entries and parameter groups open submenus. A chooser that belongs to a modulator offers
// only the modulators after it. The first item stands for no parameter.
class ParameterChoice : public Kiv::ComboBox
{
public:
    static constexpr const char16_t* g_empty_text = u"<no parameters to choose>";

    // The device's own slots; without them (before the device is initialized) only the empty
    // choice is offered.
    ParameterChoice(Device& a_device, uint32_t a_slot, uint32_t a_scope, uint32_t a_filter,
                    Modulator* a_owner = nullptr);
    ParameterChoice(Device& a_device, AssignableSlots* a_slots, uint32_t a_slot, uint32_t a_scope,
                    uint32_t a_filter, Modulator* a_owner = nullptr);

    // The parameter assigned to the slot; null when none is.
    Parameter* get_chosen() const;
    // Walks the device's parameters again, for modulators or entries that came or went.
    void rebuild_items();
    // Shows the slot's assignment again.
    void refresh();

    // After the user's choice changed the slot's assignment.
    Bex::Signal1<Kiv::WidgetEvent>& on_changed() { return m_on_changed; }

private:
    void p_walk(ParameterIteratorListener& a_listener) const;
    bool p_is_offered(const Parameter* a_parameter) const;
    void p_on_item_chosen(Kiv::MenuEvent& a_event);

    Device& m_device;
    AssignableSlots* m_slots;
    uint32_t m_slot;
    uint32_t m_scope;
    uint32_t m_filter;
    Modulator* m_owner;
    Bex::Signal1<Kiv::WidgetEvent> m_on_changed;
};

} // namespace Tonvik
