#pragma once

#include "kiv/Layouts/GridLayout.h"

namespace Tonvik
{

class Device;
class ParameterChoice;

// The content of the "Parameter assignments" window: one row per assignable slot, each with the
// chooser of the modulator or entry parameter that the host reaches through the slot.
class AssignmentEditorPanel : public Kiv::GridLayout
{
public:
    explicit AssignmentEditorPanel(Device& a_device);

    uint32_t get_slot_count() const { return uint32_t(m_choices.size()); }
    ParameterChoice& get_choice(uint32_t a_slot) const { return *m_choices[a_slot]; }
    // Every chooser walks the modulators again, after modulators or entries came or went.
    void rebuild_items();

private:
    Bex::Vector<ParameterChoice*> m_choices;
};

} // namespace Tonvik
