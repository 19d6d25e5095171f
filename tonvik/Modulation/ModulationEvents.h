#pragma once

namespace Tonvik
{

class Modulator;
class ModulatorEntry;

// What the modulation manager tells its listeners (the modulation editor).
namespace ModulationEvents
{

struct OnCleared
{
};

struct OnLoaded
{
};

struct ModulatorEvent
{
    Modulator* m_modulator;
    bool m_added;
};

struct OnModulatorMoved
{
    Modulator* m_modulator;
};

struct EntryEvent
{
    ModulatorEntry* m_entry;
    bool m_added;
};

struct OnEntryMoved
{
    ModulatorEntry* m_entry;
};

} // namespace ModulationEvents
} // namespace Tonvik
