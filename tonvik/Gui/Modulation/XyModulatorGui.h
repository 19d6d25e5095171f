#pragma once

#include "tonvik/Gui/Modulation/ModifyingModulatorGui.h"

namespace Tonvik
{

class XyModulator;

// The XY modulator's rows: its two control values, amount and smoothing.
class XyModulatorGui : public ModifyingModulatorGui
{
public:
    XyModulatorGui(DeviceGui& a_gui, XyModulator* a_modulator);
};

} // namespace Tonvik
