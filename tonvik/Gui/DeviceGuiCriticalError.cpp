#include "tonvik/Gui/DeviceGuiCriticalError.h"

#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Widgets/Text.h"

namespace Tonvik
{

DeviceGuiCriticalError::DeviceGuiCriticalError(Device& a_device, const Bex::String& a_message)
    : DeviceGui(a_device)
{
    auto* layout = new Kiv::VerticalLayout();
    m_title = new Kiv::Text(u"Error");
    layout->add(m_title);
    m_message = new Kiv::Text(a_message);
    layout->add(m_message);
    set_child(layout);
}

DeviceGuiCriticalError::~DeviceGuiCriticalError() = default;

} // namespace Tonvik
