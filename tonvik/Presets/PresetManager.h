#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "bex/Signals/Signal.h"
#include "tonvik/Presets/Preset.h"
#include "tonvik/Presets/PresetFolder.h"
#include "tonvik/Presets/PresetStateIo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace Tonvik
{

class LoadReport;
class PresetManager;
struct DeviceStaticConfig;

enum PresetScanError : uint32_t
{
    PresetScanError_NONE = 0,
    PresetScanError_TOO_DEEP = 2,
    PresetScanError_TOO_MANY = 3,
};

// What the preset manager shows changed: the tree after a scan, or the current preset.
struct OnPresetInformationChanged
{
    PresetManager* m_manager;
};

struct PresetLoadedEvent
{
    PresetManager* m_manager;
    // Never null.
    const LoadReport* m_report;
};

// The user's preset folder as a tree of folders and presets, the current preset, and loading and
// saving of preset files through the device's PresetStateIo. Paths are full path texts whose
// pieces are joined with "\", as bex's FilePath joins them; paths with "/" are understood too.
class PresetManager
{
public:
    PresetManager();
    PresetManager(const PresetManager&) = delete;
    PresetManager& operator=(const PresetManager&) = delete;
    ~PresetManager();

    // Takes the resolved preset folder, the extension, the preamble and the limits from a_config,
    // scans, and opens the initial preset when the top of the folder holds one. An initial preset
    // that fails to load leaves the device as it was: a damaged file in the user's folder must not
    // keep the plug-in from starting.
    void initialize(const DeviceStaticConfig& a_config, PresetStateIo* a_io);

    // Rebuilds the tree from the folder. A missing folder gives an empty tree, a folder nested
    // too deep or too many entries give an empty tree and an error. The current preset is looked
    // up again in the new tree.
    void scan();
    PresetScanError get_error() const { return m_error; }
    // Never null; an empty root when nothing was found.
    const PresetFolder* get_root() const { return m_root.get(); }

    // Every preset of the tree in menu order: in each folder its subfolders first, depth first,
    // then its own presets.
    const Bex::Vector<Preset*>& get_flat_list() const { return m_flat_list; }
    // The preset's place in the flat list; -1 for a preset not in the tree.
    int32_t get_flat_index(const Preset* a_preset) const;

    // Folders, then the preset name without extension, relative to the preset folder.
    Preset* find(const Bex::Vector<Bex::String>& a_components) const;
    // The same with the components in one text separated by "/", such as "/Bass/Deep".
    Preset* find(std::u16string_view a_path) const;
    Bex::String get_preset_path(const Preset* a_preset) const;

    // Remembers a_path as the current preset path. A file of the tree becomes the current preset
    // and is shown by its preset name; any other path leaves the current preset null and is shown
    // by its file name.
    void set_current(const Bex::String& a_path);
    Preset* get_current_preset() const { return m_current_preset; }
    const Bex::String& get_current_name() const { return m_current_name; }
    const Bex::String& get_current_path() const { return m_current_path; }

    // Loads a preset file into the device. When the load fails the device gets back the state it
    // had before, and the error is thrown on.
    void load_preset(const Bex::String& a_path);
    // set_current and load_preset together; a failure also restores the previous current preset.
    void open_preset(const Bex::String& a_path);

    // The current preset path, else "No name" in the preset folder; empty without a folder.
    Bex::String get_default_save_path() const;
    // Writes the device's state beside a_path and moves it into place only once it is complete,
    // so that a failure never leaves a truncated file or a damaged older preset; then rescans and
    // makes a_path current.
    void save_preset(const Bex::String& a_path);

    const Bex::String& get_preset_folder() const { return m_preset_folder; }
    // With its dot, as in ".preset".
    const Bex::String& get_extension() const { return m_extension; }
    // Plug-in name, "/" and the preamble part, in UTF-8: written in front of every preset.
    const std::string& get_preamble() const { return m_preamble; }

    // Told after every load of the device's state (presets, host chunks, reset to defaults). The
    // device calls tell_listeners at the end of each of them.
    Bex::Signal1<PresetLoadedEvent>& get_loaded_signal() { return m_loaded_signal; }
    void tell_listeners(const LoadReport& a_report);
    // Told after every scan and every change of the current preset, saves included.
    Bex::Signal1<OnPresetInformationChanged>& on_preset_information_changed()
    {
        return m_on_information_changed;
    }

private:
    bool p_scan_folder(PresetFolder& a_folder, const Bex::String& a_path, uint32_t a_depth);
    void p_resolve_current();
    void p_flatten(const PresetFolder& a_folder);
    void p_tell_information_changed();

    PresetStateIo* m_io = nullptr;
    Bex::String m_preset_folder;
    Bex::String m_extension;
    Bex::String m_initial_preset_name;
    std::string m_preamble;
    uint32_t m_maximum_depth = 10;
    uint32_t m_maximum_entries = 10000;

    std::unique_ptr<PresetFolder> m_root;
    Bex::Vector<Preset*> m_flat_list;
    uint32_t m_scan_count = 0;
    PresetScanError m_error = PresetScanError_NONE;

    Preset* m_current_preset = nullptr;
    Bex::String m_current_name;
    Bex::String m_current_path;

    Bex::Signal1<PresetLoadedEvent> m_loaded_signal;
    Bex::Signal1<OnPresetInformationChanged> m_on_information_changed;
};

} // namespace Tonvik
