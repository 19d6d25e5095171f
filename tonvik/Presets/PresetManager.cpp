#include "tonvik/Presets/PresetManager.h"

#include "bex/Core/Assert.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Platform/FileSystem.h"
#include "bex/Streams/AtomicFileWriter.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "bex/Streams/FileHandle.h"
#include "bex/Streams/FileInputStream.h"
#include "bex/Streams/FileOutputStream.h"
#include "bex/Streams/FilePath.h"
#include "bex/Streams/MemoryInputStream.h"
#include "tonvik/Devices/DeviceStaticConfig.h"

#include <vector>

namespace Tonvik
{

namespace
{

// The pieces of a path without the empty ones that doubled or trailing separators leave; the
// empty first piece of an absolute POSIX path is kept, so that it never matches a relative one.
Bex::FilePath split_clean(std::u16string_view a_path)
{
    Bex::FilePath path = Bex::FilePath::split(a_path);
    Bex::FilePath clean;
    clean.drive = path.drive;
    for (size_t i = 0; i < path.pieces.size(); ++i)
    {
        if (i == 0 || !path.pieces[i].empty())
            clean.pieces.push_back(path.pieces[i]);
    }
    return clean;
}

void restore_state(PresetStateIo& a_io, const Bex::ExpandingOutputStream& a_backup)
{
    const std::vector<unsigned char> bytes = a_backup.get_contents();
    Bex::MemoryInputStream input(bytes.data(), bytes.size());
    try
    {
        a_io.load_preset_state(input);
    }
    catch (const Bex::Exception&)
    {
        // The state was written by this device a moment ago; should it still fail, the error
        // that matters to the caller is the one of the preset.
    }
}

} // namespace

PresetManager::PresetManager() : m_root(std::make_unique<PresetFolder>(Bex::String(), nullptr)) {}

PresetManager::~PresetManager() = default;

void PresetManager::initialize(const DeviceStaticConfig& a_config, PresetStateIo* a_io)
{
    m_io = a_io;
    m_preset_folder = a_config.m_preset_folder;
    m_extension = u"." + a_config.m_preset_file_extension;
    m_initial_preset_name = a_config.m_initial_preset_name;
    m_preamble = a_config.m_plugin_name.to_utf8() + "/" + a_config.m_preset_preamble_part;
    m_maximum_depth = a_config.m_maximum_preset_folder_depth;
    m_maximum_entries = a_config.m_maximum_preset_entries;
    scan();

    if (m_root->is_empty() || m_initial_preset_name.empty())
        return;
    const Preset* initial = find(u"/" + m_initial_preset_name);
    if (!initial || initial->get_parent() != m_root.get())
        return;
    try
    {
        open_preset(get_preset_path(initial));
    }
    catch (const Bex::Exception&)
    {
        // open_preset has put back the defaults and the empty current preset.
    }
}

void PresetManager::scan()
{
    m_current_preset = nullptr;
    m_root = std::make_unique<PresetFolder>(Bex::String(), nullptr);
    m_scan_count = 0;
    m_error = PresetScanError_NONE;
    m_flat_list.clear();
    if (Bex::is_directory(m_preset_folder) && !p_scan_folder(*m_root, m_preset_folder, 1))
        m_root = std::make_unique<PresetFolder>(Bex::String(), nullptr);
    p_flatten(*m_root);
    p_resolve_current();
    p_tell_information_changed();
}

void PresetManager::p_flatten(const PresetFolder& a_folder)
{
    for (size_t i = 0; i < a_folder.get_folder_count(); ++i)
        p_flatten(*a_folder.get_folder(i));
    for (size_t i = 0; i < a_folder.get_preset_count(); ++i)
        m_flat_list.push_back(a_folder.get_preset(i));
}

int32_t PresetManager::get_flat_index(const Preset* a_preset) const
{
    for (size_t i = 0; i < m_flat_list.size(); ++i)
    {
        if (m_flat_list[i] == a_preset)
            return int32_t(i);
    }
    return -1;
}

bool PresetManager::p_scan_folder(PresetFolder& a_folder, const Bex::String& a_path,
                                  uint32_t a_depth)
{
    if (a_depth > m_maximum_depth)
    {
        m_error = PresetScanError_TOO_DEEP;
        return false;
    }
    std::unique_ptr<Bex::DirectoryListing> listing;
    try
    {
        listing = std::make_unique<Bex::DirectoryListing>(a_path);
    }
    catch (const Bex::Exception&)
    {
        // A folder we may not read holds no presets for us; the rest of the tree still counts.
        return true;
    }
    const std::u16string_view extension = std::u16string_view(m_extension).substr(1);
    Bex::DirectoryEntry entry;
    while (listing->next(entry))
    {
        if (++m_scan_count > m_maximum_entries)
        {
            m_error = PresetScanError_TOO_MANY;
            return false;
        }
        if (entry.is_directory)
        {
            const Bex::String path = Bex::join_path(a_path, entry.name);
            if (!p_scan_folder(*a_folder.add_folder(entry.name), path, a_depth + 1))
                return false;
        }
        else
        {
            Bex::String name = entry.name;
            if (Bex::strip_extension(name, extension))
                a_folder.add_preset(std::move(name), std::move(entry.name));
        }
    }
    return true;
}

Preset* PresetManager::find(const Bex::Vector<Bex::String>& a_components) const
{
    if (a_components.empty())
        return nullptr;
    const PresetFolder* folder = m_root.get();
    for (size_t i = 0; i + 1 < a_components.size(); ++i)
    {
        folder = folder->find_folder(a_components[i]);
        if (!folder)
            return nullptr;
    }
    return folder->find_preset(a_components.back());
}

Preset* PresetManager::find(std::u16string_view a_path) const
{
    Bex::Vector<Bex::String> components;
    size_t start = 0;
    for (size_t i = 0; i <= a_path.size(); ++i)
    {
        if (i == a_path.size() || a_path[i] == u'/')
        {
            if (i > start)
                components.push_back(Bex::String(a_path.substr(start, i - start)));
            start = i + 1;
        }
    }
    return find(components);
}

Bex::String PresetManager::get_preset_path(const Preset* a_preset) const
{
    BEX_ASSERT(a_preset);
    Bex::Vector<const Bex::String*> names;
    names.push_back(&a_preset->get_file_name());
    for (const PresetFolder* folder = a_preset->get_parent(); folder && folder->get_parent();
         folder = folder->get_parent())
        names.push_back(&folder->get_name());
    Bex::String path = m_preset_folder;
    for (size_t i = names.size(); i-- > 0;)
        path = Bex::join_path(path, *names[i]);
    return path;
}

void PresetManager::set_current(const Bex::String& a_path)
{
    m_current_path = a_path;
    p_resolve_current();
    p_tell_information_changed();
}

void PresetManager::p_resolve_current()
{
    m_current_preset = nullptr;
    m_current_name.clear();
    if (m_current_path.empty())
        return;
    const Bex::FilePath path = split_clean(m_current_path);
    // A bare drive such as "C:" leaves no pieces.
    if (path.pieces.empty())
        return;
    m_current_name = path.pieces.back();

    if (m_preset_folder.empty())
        return;
    const Bex::FilePath folder = split_clean(m_preset_folder);
    // Windows compares names without regard to case; the tree lookup does the same.
    if (!folder.drive.equals_ignoring_ascii_case(path.drive) ||
        path.pieces.size() <= folder.pieces.size())
        return;
    for (size_t i = 0; i < folder.pieces.size(); ++i)
    {
        if (compare_preset_names(folder.pieces[i], path.pieces[i]) != 0)
            return;
    }
    Bex::Vector<Bex::String> relative(path.pieces.begin() + folder.pieces.size(),
                                      path.pieces.end());
    if (!Bex::strip_extension(relative.back(), std::u16string_view(m_extension).substr(1)))
        return;
    m_current_preset = find(relative);
    if (m_current_preset)
        m_current_name = m_current_preset->get_name();
}

void PresetManager::load_preset(const Bex::String& a_path)
{
    BEX_ASSERT(m_io);
    Bex::FileHandle file;
    file.open_read(a_path);
    Bex::FileInputStream input(&file);
    Bex::ExpandingOutputStream backup(0x10000);
    m_io->save_preset_state(backup);
    try
    {
        m_io->load_preset_state(input);
    }
    catch (...)
    {
        restore_state(*m_io, backup);
        throw;
    }
}

void PresetManager::open_preset(const Bex::String& a_path)
{
    const Bex::String previous = m_current_path;
    set_current(a_path);
    try
    {
        load_preset(a_path);
    }
    catch (...)
    {
        set_current(previous);
        throw;
    }
}

Bex::String PresetManager::get_default_save_path() const
{
    if (!m_current_path.empty())
        return m_current_path;
    // Without a preset folder there is no place to suggest; a bare name would land in whatever
    // folder the host runs in.
    if (m_preset_folder.empty())
        return Bex::String();
    return Bex::join_path(m_preset_folder, u"No name");
}

void PresetManager::save_preset(const Bex::String& a_path)
{
    BEX_ASSERT(m_io);
    Bex::write_file_atomically(a_path, [this](Bex::OutputStream& a_output)
                               { m_io->save_preset_state(a_output); });
    scan();
    set_current(a_path);
}

void PresetManager::p_tell_information_changed()
{
    OnPresetInformationChanged event{this};
    m_on_information_changed.emit(event);
}

void PresetManager::tell_listeners(const LoadReport& a_report)
{
    PresetLoadedEvent event{this, &a_report};
    m_loaded_signal.emit(event);
}

} // namespace Tonvik
