#pragma once

#include <cstdint>

namespace Tonvik
{

// The commands of the modulation editor's menus, carried as menu item data (never 0, which
// submenus carry).
enum ModulationCommand : uint64_t
{
    ModulationCommand_APPEND_XY = 1,
    ModulationCommand_APPEND_LFO = 2,
    ModulationCommand_PREPEND_XY = 3,
    ModulationCommand_PREPEND_LFO = 4,
    ModulationCommand_EDIT_ASSIGNMENTS = 5,
    ModulationCommand_RETRIGGER = 6,
    ModulationCommand_CLEAR = 7,

    ModulationCommand_RENAME = 20,
    ModulationCommand_MOVE_MODULATOR_UP = 21,
    ModulationCommand_MOVE_MODULATOR_DOWN = 22,
    ModulationCommand_REMOVE_MODULATOR = 23,

    ModulationCommand_MOVE_ENTRY_UP = 40,
    ModulationCommand_MOVE_ENTRY_DOWN = 41,
    ModulationCommand_MOVE_ENTRY_TO_TOP = 42,
    ModulationCommand_MOVE_ENTRY_TO_BOTTOM = 43,
    ModulationCommand_INSERT_ENTRY_BEFORE = 44,
    ModulationCommand_INSERT_ENTRY_AFTER = 45,
    ModulationCommand_REMOVE_ENTRY = 46,
};

} // namespace Tonvik
