#include "tonvik/Gui/Modulation/AssignmentEditorPanel.h"

#include "bex/Core/FormatMessage.h"
#include "kiv/Widgets/Label.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/ParameterIterator.h"
#include "tonvik/Gui/ParameterChoice.h"
#include "tonvik/Modulation/AssignableSlots.h"

namespace Tonvik
{

AssignmentEditorPanel::AssignmentEditorPanel(Device& a_device) : Kiv::GridLayout(0, 2)
{
    set_style_subclass(u"Page");
    AssignableSlots* slots = a_device.get_assignable_slots();
    const uint32_t count = slots ? slots->get_slot_count() : 0;
    if (count == 0)
    {
        resize(1, 2);
        set_child(0, 0, new Kiv::Label(u"This device has no assignable slots."), 1, 2);
        return;
    }
    resize(count, 2);
    for (uint32_t slot = 0; slot < count; ++slot)
    {
        set_child(slot, 0,
                  new Kiv::Label(Bex::format_message(
                      u"Assignable @1:", {Bex::String::from_number(int64_t(slot) + 1)})));
        auto* choice = new ParameterChoice(a_device, slots, slot, ParameterIteratorScope_MODULATORS,
                                           ParameterIteratorFilter_MODULATOR_PARAMETERS |
                                               ParameterIteratorFilter_NORMALIZABLE);
        choice->set_horizontally_stretchable(true);
        set_child(slot, 1, choice);
        m_choices.push_back(choice);
    }
}

void AssignmentEditorPanel::rebuild_items()
{
    for (ParameterChoice* choice : m_choices)
        choice->rebuild_items();
}

} // namespace Tonvik
