#pragma once

#include "tonvik/Gui/Modulation/ModifyingModulatorEntryGui.h"

namespace Tonvik
{

// A combinator entry has exactly the columns of every signal-producing modulator's entry.
class CombinatorModulatorEntryGui : public ModifyingModulatorEntryGui
{
public:
    using ModifyingModulatorEntryGui::ModifyingModulatorEntryGui;
};

} // namespace Tonvik
