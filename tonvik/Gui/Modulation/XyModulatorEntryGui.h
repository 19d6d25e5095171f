#pragma once

#include "tonvik/Gui/Modulation/ModifyingModulatorEntryGui.h"

namespace Tonvik
{

// An XY entry follows the axis it selects.
class XyModulatorEntryGui : public ModifyingModulatorEntryGui
{
public:
    using ModifyingModulatorEntryGui::ModifyingModulatorEntryGui;

    void add_columns(Bex::Vector<Bex::String>& a_columns) const override;
    void fill_row(EntryListGridLayout& a_grid, uint32_t a_entry) override;
};

} // namespace Tonvik
