#include "kiv/Desktop/Desktop.h"

#include "kiv/Application/Application.h"
#include "kiv/Desktop/DesktopPasses.h"
#include "kiv/Desktop/NativeDialogClient.h"
#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass Desktop::s_widget_class("Desktop", "Window");

Desktop::Desktop(Application& a_application, std::unique_ptr<NativeWindow> a_native_window)
    : Window(NoContentsRules{}), m_application(a_application),
      m_native_window(std::move(a_native_window)), m_input_listeners(this)
{
    BEX_ASSERT(m_native_window);
    m_native_window->set_desktop(this);
    p_set_own_desktop(this);
    m_active_window = this;
    set_horizontally_stretchable(true);
    set_vertically_stretchable(true);
    connect(m_application.on_style_sheet_changed(), this, &Desktop::p_on_style_sheet_changed);
    connect(on_measure(), this, &Desktop::p_on_measure);
    connect(on_arrange(), this, &Desktop::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this, &Desktop::p_on_child_changed);
    p_layout_requested();
}

Desktop::~Desktop()
{
    // Popups first: their contents may refer to widgets here. Children leave while the
    // desktop's own members still stand.
    close_popups();
    p_delete_closed_popups();
    while (!m_native_dialogs.empty())
    {
        NativeDialogClient* client = m_native_dialogs.front();
        m_native_dialogs.erase(m_native_dialogs.begin());
        client->p_dequeued();
        client->p_discard_native();
    }
    p_destroy_children();
    m_native_window->set_desktop(nullptr);
}

const WidgetClass& Desktop::get_widget_class() const
{
    return s_widget_class;
}

void Desktop::update()
{
    if (m_updating)
        return;
    m_updating = true;
    m_update_pending = false;
    p_delete_closed_popups();
    WidgetEventScope scope;
    // Each pass may ask for more (a style changes a size, a measure a child's place); a few
    // rounds settle any sane tree, and a tree that keeps asking must not hang the GUI.
    for (int round = 0; round < 8; ++round)
    {
        if (const StyleSheet* sheet = m_application.get_style_sheet())
            DesktopPasses::apply_styles(*this, *sheet, false);
        else
            DesktopPasses::clear_style_requests(*this);
        DesktopPasses::measure(*this);
        p_fit_to_window();
        DesktopPasses::arrange(*this);
        if (!DesktopPasses::has_requests(*this))
            break;
    }
    m_update_pending = false;
    m_updating = false;
    p_run_native_dialogs();
}

void Desktop::p_queue_native_dialog(NativeDialogClient* a_client)
{
    m_native_dialogs.push_back(a_client);
    m_native_window->request_update();
}

void Desktop::p_forget_native_dialog(NativeDialogClient* a_client)
{
    std::erase(m_native_dialogs, a_client);
}

void Desktop::p_run_native_dialogs()
{
    // One box at a time: a box's answer may queue the next one (a menu command that asks a
    // question), which shows when this one is done.
    NativeDialogs* dialogs = m_native_window->get_native_dialogs();
    if (!dialogs || m_running_native_dialog || m_native_dialogs.empty())
        return;
    // The box takes the mouse, and the release of a press that opened it goes there.
    p_release_capture();
    m_running_native_dialog = true;
    while (!m_native_dialogs.empty())
    {
        NativeDialogClient* client = m_native_dialogs.front();
        m_native_dialogs.erase(m_native_dialogs.begin());
        client->p_dequeued();
        WidgetEventScope scope;
        client->p_run_native(*dialogs);
    }
    m_running_native_dialog = false;
}

void Desktop::paint(Painter& a_painter, const Rect& a_area)
{
    WidgetEventScope scope;
    DesktopPasses::paint(*this, a_painter, a_area, {0, 0});
}

void Desktop::p_layout_requested()
{
    if (m_update_pending || m_updating)
        return;
    m_update_pending = true;
    m_native_window->request_update();
}

void Desktop::p_on_style_sheet_changed()
{
    DesktopPasses::request_styles(*this);
}

void Desktop::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    // The window must be able to hold its largest child, and would like to give each the size
    // it prefers.
    int32_t minimum_width = 0;
    int32_t minimum_height = 0;
    int32_t preferred_width = 0;
    int32_t preferred_height = 0;
    for (Widget* child : get_children())
    {
        if (!child->is_visible() || child->is_window_root())
            continue;
        const WidgetSizeValues& requested = child->get_requested();
        minimum_width = std::max(minimum_width, requested.minimum_width);
        minimum_height = std::max(minimum_height, requested.minimum_height);
        preferred_width = std::max(preferred_width, requested.preferred_width);
        preferred_height = std::max(preferred_height, requested.preferred_height);
    }
    a_event.minimum_width += minimum_width;
    a_event.minimum_height += minimum_height;
    a_event.preferred_width += std::max(minimum_width, preferred_width);
    a_event.preferred_height += std::max(minimum_height, preferred_height);
}

void Desktop::p_on_child_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void Desktop::p_fit_to_window()
{
    const WidgetSizeValues& requested = get_requested();
    m_native_window->set_size_limits({requested.minimum_width, requested.minimum_height},
                                     {requested.maximum_width, requested.maximum_height});
    const Size size = m_native_window->get_size();
    set_geometry(0, 0, size.width, size.height);
}

void Desktop::handle_resize()
{
    p_fit_to_window();
    if (DesktopPasses::has_requests(*this))
        p_layout_requested();
}

void Desktop::invalidate_area(const Rect& a_area)
{
    const Rect visible = a_area.intersected({0, 0, get_width(), get_height()});
    if (!visible.is_empty())
        m_native_window->invalidate(visible);
}

Widget* Desktop::find_widget_at(Point a_position)
{
    Widget* current = this;
    Point local = a_position;
    while (Widget* child = current->get_child_at(local.x, local.y, 0))
    {
        local = {local.x - child->get_x(), local.y - child->get_y()};
        current = child;
    }
    return current;
}

void Desktop::p_widget_leaving(Widget* a_widget)
{
    if (a_widget->contains(m_hover))
        m_hover = nullptr;
    if (a_widget->contains(m_focus))
        m_focus = nullptr;
    if (a_widget->contains(m_active_window))
        m_active_window = this;
    std::erase_if(m_modal_windows,
                  [a_widget](Window* a_window) { return a_widget->contains(a_window); });
    if (a_widget->contains(m_capture))
        p_release_capture();
    for (Widget*& target : m_event_targets)
    {
        if (a_widget->contains(target))
            target = nullptr;
    }
}

void Desktop::p_release_capture()
{
    m_capture = nullptr;
    m_pressed_buttons = 0;
    m_native_window->set_mouse_capture(false);
}

} // namespace Kiv
