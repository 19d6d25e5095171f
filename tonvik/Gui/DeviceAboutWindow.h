#pragma once

#include "kiv/Windows/NormalWindow.h"

namespace Tonvik
{

class DeviceGui;

// "About": the lines the device's editor gives, then a "Close" button.
class DeviceAboutWindow : public Kiv::NormalWindow
{
public:
    explicit DeviceAboutWindow(DeviceGui& a_gui);
};

} // namespace Tonvik
