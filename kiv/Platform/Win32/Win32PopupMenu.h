#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>

namespace Kiv
{

class MenuItem;

// A Windows menu (HMENU) made from a_root's children, as the toolkit's own menu shows them:
// submenus as MF_POPUP, separators, check marks, disabled items grayed. Every command gets an
// id from 1 up that leads back to its item in a_root's tree, which must outlive this menu. The
// menu is destroyed with this object, submenus with it.
class Win32PopupMenu
{
public:
    // Throws Bex::Exception when the system cannot make the menu.
    explicit Win32PopupMenu(const MenuItem& a_root);
    ~Win32PopupMenu();
    Win32PopupMenu(const Win32PopupMenu&) = delete;
    Win32PopupMenu& operator=(const Win32PopupMenu&) = delete;

    // The HMENU.
    void* get_handle() const { return m_menu; }
    // The item an id stands for; null for 0 (nothing chosen) and for ids not given out.
    const MenuItem* find_item(uint32_t a_id) const;

    // Windows reads '&' as the mark of a mnemonic; doubling shows it as typed.
    static Bex::String escape_text(const Bex::String& a_text);

private:
    void p_fill(void* a_menu, const MenuItem& a_parent);

    void* m_menu = nullptr;
    Bex::Vector<const MenuItem*> m_items;
};

} // namespace Kiv
