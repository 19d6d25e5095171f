#include "kiv/Application/Application.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Layouts/GridLayoutStyleManager.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/ToolkitClasses.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetStyleManager.h"
#include "kiv/Widgets/ArrowCommandButton.h"
#include "kiv/Widgets/ArrowCommandButtonStyleManager.h"
#include "kiv/Widgets/CheckBox.h"
#include "kiv/Widgets/CheckBoxStyleManager.h"
#include "kiv/Widgets/CommandButton.h"
#include "kiv/Widgets/Entry.h"
#include "kiv/Widgets/EntryStyleManager.h"
#include "kiv/Widgets/IntegerEntry.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/ScrollBar.h"
#include "kiv/Widgets/ScrollBarButton.h"
#include "kiv/Widgets/ScrollBarHandle.h"
#include "kiv/Widgets/ScrollBarStyleManager.h"
#include "kiv/Widgets/ScrollBarTrough.h"
#include "kiv/Widgets/Text.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Widgets/TextToggleButton.h"
#include "kiv/Widgets/ToggleButton.h"
#include "kiv/Windows/MessageDialog.h"
#include "kiv/Windows/NormalWindow.h"
#include "kiv/Windows/NormalWindowCloseButton.h"
#include "kiv/Windows/NormalWindowTitleBar.h"

#include <algorithm>

namespace Kiv
{

Application::Application()
{
    start_up();
}

Application::~Application() = default;

void Application::start_up()
{
    // Naming the managers and class records here keeps the linker from dropping them from the
    // static library, which would leave their classes unknown or without properties. The stores
    // are volatile so that the optimizer cannot drop the names either.
    const void* volatile keep[] = {&WidgetStyleManager::s_instance,
                                   &GridLayoutStyleManager::s_instance,
                                   &ToolkitClasses::g_partial_view,
                                   &Desktop::s_widget_class,
                                   &HorizontalLayout::s_widget_class,
                                   &Label::s_widget_class,
                                   &Text::s_widget_class,
                                   &CommandButton::s_widget_class,
                                   &TextCommandButton::s_widget_class,
                                   &ArrowCommandButton::s_widget_class,
                                   &ArrowCommandButtonStyleManager::s_instance,
                                   &CheckBox::s_widget_class,
                                   &CheckBoxStyleManager::s_instance,
                                   &ToggleButton::s_widget_class,
                                   &TextToggleButton::s_widget_class,
                                   &Entry::s_widget_class,
                                   &EntryStyleManager::s_instance,
                                   &IntegerEntry::s_widget_class,
                                   &ScrollBar::s_widget_class,
                                   &ScrollBar::s_horizontal_widget_class,
                                   &ScrollBar::s_vertical_widget_class,
                                   &ScrollBarStyleManager::s_instance,
                                   &ScrollBarButton::s_widget_class,
                                   &ScrollBarHandle::s_widget_class,
                                   &ScrollBarTrough::s_widget_class,
                                   &NormalWindow::s_widget_class,
                                   &NormalWindowTitleBar::s_widget_class,
                                   &NormalWindowCloseButton::s_widget_class,
                                   &MessageDialog::s_widget_class};
    (void)keep;
    StyleRegistry& registry = StyleRegistry::get_global();
    if (!registry.is_started())
        registry.start_up(WidgetClassList::get_global());
}

void Application::set_style_sheet(std::unique_ptr<StyleSheet> a_sheet)
{
    m_style_sheet = std::move(a_sheet);
    if (m_style_sheet)
        m_style_sheet->rescale(m_scale);
    ApplicationEvent event{this};
    m_on_style_sheet_changed.emit(event);
}

void Application::set_scale(float a_scale)
{
    if (!(a_scale > 0.0f))
        a_scale = 1.0f;
    a_scale = std::clamp(a_scale, 0.5f, 4.0f);
    if (a_scale == m_scale)
        return;
    m_scale = a_scale;
    if (m_style_sheet)
        m_style_sheet->rescale(m_scale);
    ApplicationEvent event{this};
    m_on_style_sheet_changed.emit(event);
}

void Application::load_style_sheet(const Bex::String& a_path)
{
    load_style_sheet_text(read_style_sheet_file(a_path));
}

void Application::load_style_sheet_text(std::u16string_view a_text)
{
    set_style_sheet(parse_style_sheet(a_text, StyleRegistry::get_global()));
}

} // namespace Kiv
