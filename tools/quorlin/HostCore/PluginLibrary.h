#pragma once

#include "vst/VstAbi.h"

#include <memory>
#include <string>

namespace quorlin
{

using PluginEntry = AEffect* (*)(audioMasterCallback);

// A loaded plug-in binary. The platform implementation opens it and finds its entry point
// ("VSTPluginMain", or the older "main").
class PluginLibrary
{
public:
    virtual ~PluginLibrary() = default;
    virtual PluginEntry get_entry() const = 0;

    // Throws Bex::Exception naming the path and the loader's reason.
    static std::unique_ptr<PluginLibrary> open(const std::string& a_path);
};

} // namespace quorlin
