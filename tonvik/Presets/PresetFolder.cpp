#include "tonvik/Presets/PresetFolder.h"

#include <algorithm>

namespace Tonvik
{

namespace
{

char16_t fold(char16_t a_unit)
{
    return a_unit >= u'A' && a_unit <= u'Z' ? static_cast<char16_t>(a_unit + (u'a' - u'A'))
                                            : a_unit;
}

// Index after the last entry that sorts before or equal to a_name: inserting there keeps the list
// sorted and puts a new name behind the equal ones already present.
template <typename Entry>
size_t upper_bound_by_name(const Bex::Vector<std::unique_ptr<Entry>>& a_entries,
                           std::u16string_view a_name)
{
    size_t low = 0;
    size_t high = a_entries.size();
    while (low < high)
    {
        const size_t middle = low + (high - low) / 2;
        if (compare_preset_names(a_entries[middle]->get_name(), a_name) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

template <typename Entry>
Entry* find_by_name(const Bex::Vector<std::unique_ptr<Entry>>& a_entries,
                    std::u16string_view a_name)
{
    Entry* first_equal = nullptr;
    // Walk the equal names backwards from the insertion point.
    for (size_t index = upper_bound_by_name(a_entries, a_name); index-- > 0;)
    {
        Entry* entry = a_entries[index].get();
        if (compare_preset_names(entry->get_name(), a_name) != 0)
            break;
        if (entry->get_name() == a_name)
            return entry;
        first_equal = entry;
    }
    return first_equal;
}

} // namespace

int compare_preset_names(std::u16string_view a_left, std::u16string_view a_right)
{
    const size_t common = std::min(a_left.size(), a_right.size());
    for (size_t i = 0; i < common; ++i)
    {
        const char16_t left = fold(a_left[i]);
        const char16_t right = fold(a_right[i]);
        if (left != right)
            return left < right ? -1 : 1;
    }
    if (a_left.size() == a_right.size())
        return 0;
    return a_left.size() < a_right.size() ? -1 : 1;
}

PresetFolder::PresetFolder(Bex::String a_name, PresetFolder* a_parent)
    : m_name(std::move(a_name)), m_parent(a_parent)
{
}

PresetFolder::~PresetFolder() = default;

PresetFolder* PresetFolder::add_folder(Bex::String a_name)
{
    const size_t at = upper_bound_by_name(m_folders, a_name);
    m_folders.insert_at(at, std::make_unique<PresetFolder>(std::move(a_name), this));
    return m_folders[at].get();
}

Preset* PresetFolder::add_preset(Bex::String a_name, Bex::String a_file_name)
{
    const size_t at = upper_bound_by_name(m_presets, a_name);
    m_presets.insert_at(at,
                        std::make_unique<Preset>(std::move(a_name), std::move(a_file_name), this));
    return m_presets[at].get();
}

PresetFolder* PresetFolder::find_folder(std::u16string_view a_name) const
{
    return find_by_name(m_folders, a_name);
}

Preset* PresetFolder::find_preset(std::u16string_view a_name) const
{
    return find_by_name(m_presets, a_name);
}

} // namespace Tonvik
