#include "tonvik/Gui/DeviceAboutWindow.h"

#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "tonvik/Gui/DeviceGui.h"

namespace Tonvik
{

DeviceAboutWindow::DeviceAboutWindow(DeviceGui& a_gui) : Kiv::NormalWindow(u"About")
{
    auto* layout = new Kiv::VerticalLayout();
    layout->set_style_subclass(u"Page");
    a_gui.build_about_contents(*layout);
    auto* close_button = new Kiv::TextCommandButton(u"Close");
    layout->add(close_button);
    connect(close_button->on_click(), static_cast<Kiv::NormalWindow*>(this),
            &Kiv::NormalWindow::close);
    set_contents(layout);
}

} // namespace Tonvik
