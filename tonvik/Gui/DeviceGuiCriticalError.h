#pragma once

#include "kiv/Layouts/StretchLayout.h"
#include "tonvik/Gui/DeviceGui.h"

namespace Kiv
{
class Text;
}

namespace Tonvik
{

// Stands in for a device's editor that could not be built: "Error" and the failure's message.
class DeviceGuiCriticalError : public DeviceGui, public Kiv::StretchLayout
{
public:
    DeviceGuiCriticalError(Device& a_device, const Bex::String& a_message);
    ~DeviceGuiCriticalError() override;

    Kiv::Widget& get_root_widget() override { return *this; }
    Kiv::Text& get_title() const { return *m_title; }
    Kiv::Text& get_message() const { return *m_message; }

private:
    Kiv::Text* m_title;
    Kiv::Text* m_message;
};

} // namespace Tonvik
