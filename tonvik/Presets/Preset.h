#pragma once

#include "bex/Core/String.h"

namespace Tonvik
{

class PresetFolder;

// One preset file found by the scan: its name (the file name without the extension) and the folder
// holding it.
class Preset
{
public:
    Preset(Bex::String a_name, Bex::String a_file_name, PresetFolder* a_parent)
        : m_name(std::move(a_name)), m_file_name(std::move(a_file_name)), m_parent(a_parent)
    {
    }
    Preset(const Preset&) = delete;
    Preset& operator=(const Preset&) = delete;

    const Bex::String& get_name() const { return m_name; }
    PresetFolder* get_parent() const { return m_parent; }
    // The name as the folder lists it, with the extension in the case it was found in, so that the
    // file can be opened again on a system whose names are case sensitive.
    const Bex::String& get_file_name() const { return m_file_name; }

private:
    Bex::String m_name;
    Bex::String m_file_name;
    PresetFolder* m_parent;
};

} // namespace Tonvik
