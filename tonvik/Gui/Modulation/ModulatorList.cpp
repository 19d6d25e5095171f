#include "tonvik/Gui/Modulation/ModulatorList.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"
#include "tonvik/Gui/Modulation/ModulatorListItem.h"

#include <algorithm>

namespace Tonvik
{

Kiv::WidgetClass ModulatorList::s_widget_class("ModulatorList", "VerticalLayout");

ModulatorList::ModulatorList()
{
    set_focus_flags(Kiv::WidgetFocusFlag_MOUSE | Kiv::WidgetFocusFlag_KEYBOARD);
    connect(on_keyboard_down(), this, &ModulatorList::p_on_keyboard_down);
}

const Kiv::WidgetClass& ModulatorList::get_widget_class() const
{
    return s_widget_class;
}

void ModulatorList::set_modulators(const Bex::Vector<Modulator*>& a_modulators)
{
    Modulator* selected = get_selected_modulator();
    const int32_t previous = m_selection;
    for (ModulatorListItem* item : m_items)
        item->destroy();
    m_items.clear();
    if (m_rest)
        m_rest->destroy();
    resize(0, 1);
    m_selection = -1;
    for (Modulator* modulator : a_modulators)
    {
        auto* item = new ModulatorListItem(*this, modulator);
        m_items.push_back(item);
        add(item);
        if (modulator == selected)
            set_selection(int32_t(m_items.size() - 1));
    }
    // The room under the items: through it the list grows, while the items keep their height.
    m_rest = new Kiv::Widget();
    m_rest->set_horizontally_stretchable(true);
    m_rest->set_vertically_stretchable(true);
    add(m_rest);
    // A selected modulator that went leaves the selection on the one that took its place.
    if (m_selection < 0 && previous >= 0 && !m_items.empty())
        set_selection(std::min(previous, int32_t(m_items.size()) - 1));
}

Modulator* ModulatorList::get_selected_modulator() const
{
    return m_selection >= 0 ? m_items[size_t(m_selection)]->get_modulator() : nullptr;
}

int32_t ModulatorList::find_item(const ModulatorListItem* a_item) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        if (m_items[i] == a_item)
            return int32_t(i);
    }
    return -1;
}

void ModulatorList::set_selection(int32_t a_index)
{
    if (a_index < 0 || size_t(a_index) >= m_items.size())
        a_index = -1;
    if (m_selection >= 0)
        m_items[size_t(m_selection)]->set_style_state(Kiv::WidgetStyleState_CHECKED, false);
    m_selection = a_index;
    if (m_selection >= 0)
        m_items[size_t(m_selection)]->set_style_state(Kiv::WidgetStyleState_CHECKED, true);
}

void ModulatorList::refresh_texts()
{
    for (ModulatorListItem* item : m_items)
        item->refresh();
}

void ModulatorList::p_select_by_user(int32_t a_index)
{
    if (a_index < 0 || size_t(a_index) >= m_items.size() || a_index == m_selection)
        return;
    set_selection(a_index);
    Kiv::WidgetEvent event{this};
    m_on_selection_changed.emit(event);
}

void ModulatorList::p_on_keyboard_down(Kiv::WidgetEvents::OnKeyboardDown& a_event)
{
    if (m_items.empty())
        return;
    if (a_event.key == Kiv::KeyCode_UP)
        p_select_by_user(m_selection < 0 ? 0 : m_selection - 1);
    else if (a_event.key == Kiv::KeyCode_DOWN)
        p_select_by_user(m_selection < 0 ? 0 : m_selection + 1);
}

} // namespace Tonvik
