#include "tonvik/Presets/FactoryPresets.h"

#include "bex/Core/Exception.h"
#include "bex/Platform/FileSystem.h"
#include "bex/Streams/AtomicFileWriter.h"
#include "bex/Streams/FileHandle.h"
#include "bex/Streams/FileInputStream.h"
#include "bex/Streams/FilePath.h"

#include <vector>

namespace Tonvik
{

namespace
{

// Preset files are small; anything larger is not one of ours.
constexpr size_t MaximumPresetBytes = 16 * 1024 * 1024;

bool read_whole(const Bex::String& a_path, std::vector<unsigned char>& a_bytes)
{
    try
    {
        Bex::FileHandle file;
        file.open_read(a_path);
        Bex::FileInputStream input(&file);
        unsigned char block[65536];
        a_bytes.clear();
        while (size_t count = input.try_read(sizeof(block), block))
        {
            a_bytes.insert(a_bytes.end(), block, block + count);
            if (a_bytes.size() > MaximumPresetBytes)
                return false;
        }
        return true;
    }
    catch (const Bex::Exception&)
    {
        return false;
    }
}

// Copies what can be read; a file or folder that cannot be read is left out.
void copy_folder(const Bex::String& a_from, const Bex::String& a_to, const Bex::String& a_extension,
                 uint32_t a_depth_left)
{
    std::vector<Bex::DirectoryEntry> entries;
    try
    {
        Bex::DirectoryListing listing(a_from);
        Bex::DirectoryEntry entry;
        while (listing.next(entry))
            entries.push_back(entry);
    }
    catch (const Bex::Exception&)
    {
        return;
    }
    Bex::ensure_folder(a_to);
    std::vector<unsigned char> bytes;
    for (const Bex::DirectoryEntry& entry : entries)
    {
        if (entry.is_directory)
        {
            if (a_depth_left > 1)
                copy_folder(Bex::join_path(a_from, entry.name), Bex::join_path(a_to, entry.name),
                            a_extension, a_depth_left - 1);
            continue;
        }
        // The same files the preset chooser lists.
        Bex::String name = entry.name;
        if (!Bex::strip_extension(name, a_extension) ||
            !read_whole(Bex::join_path(a_from, entry.name), bytes))
            continue;
        Bex::write_file_atomically(Bex::join_path(a_to, entry.name),
                                   [&bytes](Bex::OutputStream& a_output)
                                   { a_output.write(bytes.data(), bytes.size()); });
    }
}

} // namespace

bool install_factory_presets(const Bex::String& a_source, const Bex::String& a_preset_folder,
                             const Bex::String& a_folder_name, const Bex::String& a_extension,
                             uint32_t a_maximum_depth)
{
    if (a_source.empty() || a_preset_folder.empty() || !Bex::is_directory(a_source) ||
        !Bex::is_directory(a_preset_folder))
        return false;
    const Bex::String target = Bex::join_path(a_preset_folder, a_folder_name);
    if (Bex::is_directory(target))
        return false;
    copy_folder(a_source, target, a_extension, a_maximum_depth);
    return Bex::is_directory(target);
}

} // namespace Tonvik
