#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "tonvik/Presets/Preset.h"

#include <memory>
#include <string_view>

namespace Tonvik
{

// Preset and folder order: UTF-16 code units with only the ASCII letters A to Z folded to lower
// case, so that the order is the same on every platform and in every locale; a name that is a
// prefix of the other sorts first. Negative, zero or positive like strcmp.
int compare_preset_names(std::u16string_view a_left, std::u16string_view a_right);

// A folder of the preset tree. Subfolders and presets are owned and each list is kept sorted by
// compare_preset_names; names that compare equal stay in the order they were added.
class PresetFolder
{
public:
    PresetFolder(Bex::String a_name, PresetFolder* a_parent);
    PresetFolder(const PresetFolder&) = delete;
    PresetFolder& operator=(const PresetFolder&) = delete;
    ~PresetFolder();

    const Bex::String& get_name() const { return m_name; }
    // Null for the root, which stands for the preset folder itself.
    PresetFolder* get_parent() const { return m_parent; }

    size_t get_folder_count() const { return m_folders.size(); }
    PresetFolder* get_folder(size_t a_index) const { return m_folders[a_index].get(); }
    size_t get_preset_count() const { return m_presets.size(); }
    Preset* get_preset(size_t a_index) const { return m_presets[a_index].get(); }
    bool is_empty() const { return m_folders.empty() && m_presets.empty(); }

    PresetFolder* add_folder(Bex::String a_name);
    Preset* add_preset(Bex::String a_name, Bex::String a_file_name);

    // The entry whose name is exactly a_name, else the first one that compares equal to it (names
    // differing only in ASCII case, as a Windows file system treats them); null when none does.
    PresetFolder* find_folder(std::u16string_view a_name) const;
    Preset* find_preset(std::u16string_view a_name) const;

private:
    Bex::String m_name;
    PresetFolder* m_parent;
    Bex::Vector<std::unique_ptr<PresetFolder>> m_folders;
    Bex::Vector<std::unique_ptr<Preset>> m_presets;
};

} // namespace Tonvik
