#pragma once

#include "kiv/Widgets/ComboBox.h"

namespace Tonvik
{

class Device;
class ModulatorEntry;
class Parameter;

// Chooses what an entry modulates: the device's modulatable parameters, then those of the
// modulators after the entry's own (an entry feeds only what runs after it), in submenus by
// group, modulator and entry. The first item stands for no target.
class EntryTargetChoice : public Kiv::ComboBox
{
public:
    static constexpr const char16_t* g_no_target_text = u"<no target>";

    EntryTargetChoice(Device& a_device, ModulatorEntry* a_entry);

    ModulatorEntry* get_entry() const { return m_entry; }
    // The parameter the entry aims at; null for none.
    Parameter* get_target_parameter() const;
    void rebuild_items();
    void refresh();

private:
    void p_on_item_chosen(Kiv::MenuEvent& a_event);

    Device& m_device;
    ModulatorEntry* m_entry;
};

} // namespace Tonvik
