#pragma once

#include "tonvik/Gui/Modulation/ModulatorEntryGui.h"

namespace Tonvik
{

// An entry of a modulator that produces signals: where it acts on its target ("Location"),
// how far ("Range") and whether the signal is turned over ("Invert").
class ModifyingModulatorEntryGui : public ModulatorEntryGui
{
public:
    using ModulatorEntryGui::ModulatorEntryGui;

    void add_columns(Bex::Vector<Bex::String>& a_columns) const override;
    void fill_row(EntryListGridLayout& a_grid, uint32_t a_entry) override;
};

} // namespace Tonvik
