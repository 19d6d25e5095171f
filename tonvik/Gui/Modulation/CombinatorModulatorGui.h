#pragma once

#include "tonvik/Gui/Modulation/ModifyingModulatorGui.h"

namespace Tonvik
{

class CombinatorModulator;

// The combinator's rows: the value it passes on, usually driven by other modulators, and the
// amount.
class CombinatorModulatorGui : public ModifyingModulatorGui
{
public:
    CombinatorModulatorGui(DeviceGui& a_gui, CombinatorModulator* a_modulator);
};

} // namespace Tonvik
