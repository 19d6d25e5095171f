#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>
#include <memory>

namespace Tonvik
{

class DeviceGui;
class EntryListGridLayout;
class EntryTargetChoice;
class ModulatorEntry;

// The editors of one entry, placed into its row of the entry grid by column name. Every entry
// has "On" and "Target"; the entry kinds add their own columns.
class ModulatorEntryGui
{
public:
    ModulatorEntryGui(DeviceGui& a_gui, ModulatorEntry* a_entry);
    virtual ~ModulatorEntryGui() = default;
    ModulatorEntryGui(const ModulatorEntryGui&) = delete;
    ModulatorEntryGui& operator=(const ModulatorEntryGui&) = delete;

    // The editors of the entry's kind, chosen by its modulator's type.
    static std::unique_ptr<ModulatorEntryGui> create(DeviceGui& a_gui, ModulatorEntry* a_entry);

    ModulatorEntry* get_entry() const { return m_entry; }
    EntryTargetChoice* get_target_choice() const { return m_target_choice; }
    // The columns this kind fills, after the index column.
    virtual void add_columns(Bex::Vector<Bex::String>& a_columns) const;
    // Puts the entry's editors into row a_entry of the grid.
    virtual void fill_row(EntryListGridLayout& a_grid, uint32_t a_entry);

protected:
    DeviceGui& m_gui;
    ModulatorEntry* m_entry;

private:
    EntryTargetChoice* m_target_choice = nullptr;
};

} // namespace Tonvik
