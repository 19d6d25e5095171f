#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>
#include <memory>

namespace Kiv
{

// One entry of a menu and, through its children, the menu it opens. The root's own text is not
// shown: a menu shows the root's children. Items are plain data, so that menus can copy a tree
// and keep it while the caller's tree changes or goes.
class MenuItem
{
public:
    MenuItem() = default;
    explicit MenuItem(const Bex::String& a_text, uint64_t a_data = 0) : text(a_text), data(a_data)
    {
    }
    MenuItem(const MenuItem& a_other);
    MenuItem& operator=(const MenuItem& a_other);

    // Each returns the new child.
    MenuItem& add(const Bex::String& a_text, uint64_t a_data = 0);
    MenuItem& add_separator();
    MenuItem& add_submenu(const Bex::String& a_text);

    bool has_children() const { return !children.empty(); }
    // A command is what choosing acts on: an enabled item that is neither a separator nor opens
    // a submenu.
    bool is_command() const { return enabled && !separator && children.empty(); }
    // What keyboard navigation may stop on.
    bool is_selectable() const { return enabled && !separator; }

    // The first item below this one (depth first, this one excluded) that carries a_data.
    MenuItem* find_by_data(uint64_t a_data);
    const MenuItem* find_by_data(uint64_t a_data) const;
    // The child indices that lead from this item to a_item; false when a_item is not below it.
    bool find_path(const MenuItem* a_item, Bex::Vector<size_t>& a_path) const;
    // Null when the path leads nowhere.
    MenuItem* follow_path(const Bex::Vector<size_t>& a_path);
    // Every command below this item, depth first.
    void collect_commands(Bex::Vector<MenuItem*>& a_commands);

    Bex::String text;
    uint64_t data = 0;
    bool checked = false;
    bool enabled = true;
    bool separator = false;
    Bex::Vector<std::unique_ptr<MenuItem>> children;
};

} // namespace Kiv
