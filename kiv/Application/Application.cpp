#include "kiv/Application/Application.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Layouts/BorderLayout.h"
#include "kiv/Layouts/BorderLayoutStyleManager.h"
#include "kiv/Layouts/GridLayoutStyleManager.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Layouts/PageLayout.h"
#include "kiv/Layouts/StretchLayout.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/ToolkitClasses.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetStyleManager.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/ListView.h"
#include "kiv/Widgets/ListViewStyleManager.h"
#include "kiv/Widgets/MenuItemRow.h"
#include "kiv/Widgets/MenuItemRowStyleManager.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Widgets/Tab.h"
#include "kiv/Widgets/TabBar.h"
#include "kiv/Widgets/TabStyleManager.h"
#include "kiv/Widgets/Tabs.h"

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
                                   &BorderLayout::s_widget_class,
                                   &BorderLayoutStyleManager::s_instance,
                                   &StretchLayout::s_widget_class,
                                   &PageLayout::s_widget_class,
                                   &PopupMenu::s_widget_class,
                                   &MenuItemRow::s_widget_class,
                                   &MenuItemRowStyleManager::s_instance,
                                   &ComboBox::s_widget_class,
                                   &Tab::s_widget_class,
                                   &TabStyleManager::s_instance,
                                   &TabBar::s_widget_class,
                                   &Tabs::s_widget_class,
                                   &ListView::s_widget_class,
                                   &ListViewStyleManager::s_instance};
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
