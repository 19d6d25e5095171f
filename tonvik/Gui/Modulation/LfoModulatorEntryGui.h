#pragma once

#include "tonvik/Gui/Modulation/ModifyingModulatorEntryGui.h"

namespace Tonvik
{

// An LFO entry: it may start a phase group with a phase offset of its own.
class LfoModulatorEntryGui : public ModifyingModulatorEntryGui
{
public:
    using ModifyingModulatorEntryGui::ModifyingModulatorEntryGui;

    void add_columns(Bex::Vector<Bex::String>& a_columns) const override;
    void fill_row(EntryListGridLayout& a_grid, uint32_t a_entry) override;
};

} // namespace Tonvik
