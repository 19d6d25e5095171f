#pragma once

#include <cstdint>

namespace Bex
{
class BiniNode;
}

namespace Tonvik
{

class ModulationManager;

// Writes the modulators, their entries and the assignable-slot assignments into a state tree
// ("Modu" and "Assi" under the given node) and rebuilds them from one.
class ModulationSaver
{
public:
    // What presets store for a processing stage; not the stage numbers.
    enum ProcessingStageSaveValue : uint32_t
    {
        ProcessingStageSaveValue_IN_NOTE = 0,
        ProcessingStageSaveValue_PRE_NOTE = 1,
        ProcessingStageSaveValue_POST_NOTE = 2,
    };

    static void save(ModulationManager& a_manager, Bex::BiniNode& a_node);
    // Appends to the modulation already present; any fault throws with its message. a_version
    // is the plugin internal version of the data, for the parameters' loader.
    static void load(const Bex::BiniNode& a_node, uint32_t a_version, ModulationManager& a_manager);
};

} // namespace Tonvik
