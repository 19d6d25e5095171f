#pragma once

#include "bex/Signals/Trackable.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Widgets/MenuEvent.h"
#include "kiv/Widgets/MenuItem.h"
#include "kiv/Widgets/PopupMenu.h"

#include <string>

namespace KivTest
{

// Sine 1, Triangle 2, a separator, Disabled 3 (disabled), More ▸ (Square 4, Saw 5).
inline std::unique_ptr<Kiv::MenuItem> make_wave_menu()
{
    auto root = std::make_unique<Kiv::MenuItem>();
    root->add(u"Sine", 1);
    root->add(u"Triangle", 2);
    root->add_separator();
    root->add(u"Disabled", 3).enabled = false;
    Kiv::MenuItem& more = root->add_submenu(u"More");
    more.add(u"Square", 4);
    more.add(u"Saw", 5);
    return root;
}

// Notes what a menu or combo box reports, as "chosen:<data>" and "closed" words.
struct MenuLog : Bex::Trackable
{
    std::string text;
    void chosen(Kiv::MenuEvent& a_event)
    {
        text += "chosen:" + std::to_string(a_event.item->data) + " ";
    }
    void closed() { text += "closed "; }
};

// The menu shown by the newest popup of a_desktop, with its passes run.
inline Kiv::PopupMenu* top_menu(Kiv::OffscreenDesktop& a_desktop)
{
    Kiv::OffscreenDesktop* popup = a_desktop.get_top_popup();
    if (!popup || popup->get_children().empty())
        return nullptr;
    popup->settle();
    return dynamic_cast<Kiv::PopupMenu*>(popup->get_children()[0]);
}

inline Kiv::Point row_centre(const Kiv::PopupMenu& a_menu, size_t a_row)
{
    const Kiv::Rect rect = a_menu.get_row_rect(a_row);
    return {rect.x + rect.width / 2, rect.y + rect.height / 2};
}

} // namespace KivTest
