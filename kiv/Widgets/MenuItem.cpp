#include "kiv/Widgets/MenuItem.h"

namespace Kiv
{

MenuItem::MenuItem(const MenuItem& a_other)
    : text(a_other.text), data(a_other.data), checked(a_other.checked), enabled(a_other.enabled),
      separator(a_other.separator)
{
    children.reserve(a_other.children.size());
    for (const auto& child : a_other.children)
        children.push_back(std::make_unique<MenuItem>(*child));
}

MenuItem& MenuItem::operator=(const MenuItem& a_other)
{
    if (this != &a_other)
    {
        // Copied first: a_other may live inside this tree.
        MenuItem copy(a_other);
        text = std::move(copy.text);
        data = copy.data;
        checked = copy.checked;
        enabled = copy.enabled;
        separator = copy.separator;
        children = std::move(copy.children);
    }
    return *this;
}

MenuItem& MenuItem::add(const Bex::String& a_text, uint64_t a_data)
{
    children.push_back(std::make_unique<MenuItem>(a_text, a_data));
    return *children.back();
}

MenuItem& MenuItem::add_separator()
{
    MenuItem& item = add(Bex::String());
    item.separator = true;
    return item;
}

MenuItem& MenuItem::add_submenu(const Bex::String& a_text)
{
    return add(a_text);
}

MenuItem* MenuItem::find_by_data(uint64_t a_data)
{
    for (const auto& child : children)
    {
        if (child->data == a_data && !child->separator)
            return child.get();
        if (MenuItem* found = child->find_by_data(a_data))
            return found;
    }
    return nullptr;
}

const MenuItem* MenuItem::find_by_data(uint64_t a_data) const
{
    return const_cast<MenuItem*>(this)->find_by_data(a_data);
}

bool MenuItem::find_path(const MenuItem* a_item, Bex::Vector<size_t>& a_path) const
{
    for (size_t index = 0; index < children.size(); ++index)
    {
        a_path.push_back(index);
        if (children[index].get() == a_item || children[index]->find_path(a_item, a_path))
            return true;
        a_path.pop_back();
    }
    return false;
}

MenuItem* MenuItem::follow_path(const Bex::Vector<size_t>& a_path)
{
    MenuItem* current = this;
    for (size_t index : a_path)
    {
        if (index >= current->children.size())
            return nullptr;
        current = current->children[index].get();
    }
    return current;
}

void MenuItem::collect_commands(Bex::Vector<MenuItem*>& a_commands)
{
    for (const auto& child : children)
    {
        if (child->is_command())
            a_commands.push_back(child.get());
        else if (child->enabled && !child->separator)
            child->collect_commands(a_commands);
    }
}

} // namespace Kiv
