#include "kiv/Application/Application.h"

#include "kiv/Application/ToolkitClassKeeper.h"

#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/WidgetClass.h"

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
    keep_toolkit_classes();
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
