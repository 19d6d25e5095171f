#pragma once

#include "tonvik/Gui/Modulation/ModifyingModulatorGui.h"

namespace Tonvik
{

class LfoModulator;

// The LFO's rows: amount, waveform, the cycle's base (synchronization, whole notes or seconds,
// the fraction and its modifier), phase, frequency factor, pulse width, smoothing and the key
// that retriggers it.
class LfoModulatorGui : public ModifyingModulatorGui
{
public:
    LfoModulatorGui(DeviceGui& a_gui, LfoModulator* a_modulator);
};

} // namespace Tonvik
