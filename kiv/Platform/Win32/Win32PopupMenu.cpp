#include "kiv/Platform/Win32/Win32PopupMenu.h"

#include "bex/Core/Exception.h"
#include "kiv/Widgets/MenuItem.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Kiv
{

namespace
{

HMENU make_menu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        throw Bex::Exception(u"Couldn't make a menu.");
    return menu;
}

const wchar_t* wide(const Bex::String& a_text)
{
    return reinterpret_cast<const wchar_t*>(a_text.c_str());
}

} // namespace

Win32PopupMenu::Win32PopupMenu(const MenuItem& a_root) : m_menu(make_menu())
{
    try
    {
        p_fill(m_menu, a_root);
    }
    catch (...)
    {
        DestroyMenu(static_cast<HMENU>(m_menu));
        throw;
    }
}

Win32PopupMenu::~Win32PopupMenu()
{
    DestroyMenu(static_cast<HMENU>(m_menu));
}

const MenuItem* Win32PopupMenu::find_item(uint32_t a_id) const
{
    if (a_id == 0 || a_id > m_items.size())
        return nullptr;
    return m_items[a_id - 1];
}

Bex::String Win32PopupMenu::escape_text(const Bex::String& a_text)
{
    Bex::String result;
    result.reserve(a_text.size());
    for (char16_t unit : a_text)
    {
        // A null would end the text early.
        if (unit == 0)
            continue;
        if (unit == u'&')
            result += u'&';
        result += unit;
    }
    return result;
}

void Win32PopupMenu::p_fill(void* a_menu, const MenuItem& a_parent)
{
    auto menu = static_cast<HMENU>(a_menu);
    for (const std::unique_ptr<MenuItem>& child : a_parent.children)
    {
        if (child->separator)
        {
            if (!AppendMenuW(menu, MF_SEPARATOR, 0, nullptr))
                throw Bex::Exception(u"Couldn't add a separator to a menu.");
            continue;
        }
        UINT flags = MF_STRING;
        if (child->checked)
            flags |= MF_CHECKED;
        if (!child->enabled)
            flags |= MF_GRAYED;
        const Bex::String text = escape_text(child->text);
        if (child->has_children())
        {
            HMENU submenu = make_menu();
            // Appended first: from then on it is destroyed with its parent, even when filling
            // it fails below.
            if (!AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                             wide(text)))
            {
                DestroyMenu(submenu);
                throw Bex::Exception(u"Couldn't add a submenu to a menu.");
            }
            p_fill(submenu, *child);
            continue;
        }
        // Menu ids are 16 bits wide in WM_COMMAND; TrackPopupMenu returns them whole, but a
        // menu that long is no menu anyone can use.
        if (m_items.size() >= 0xFFFF)
            throw Bex::Exception(u"A menu has too many items.");
        m_items.push_back(child.get());
        if (!AppendMenuW(menu, flags, UINT_PTR(m_items.size()), wide(text)))
            throw Bex::Exception(u"Couldn't add an item to a menu.");
    }
}

} // namespace Kiv
