#pragma once

#include "quorlinchorus/TheEffect.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace Tonvik
{
class LfoModulator;
class Parameter;
} // namespace Tonvik

namespace plugin_test
{

// The chorus built inside the calling program, where modulators and instance settings can be set
// up directly, to hand a host chunk to the plug-in loaded from the library. Its folders lie in a
// temporary directory that goes with it.
class InProcessChorus
{
public:
    InProcessChorus();
    ~InProcessChorus();
    InProcessChorus(const InProcessChorus&) = delete;
    InProcessChorus& operator=(const InProcessChorus&) = delete;

    quorlinchorus::TheEffect& effect() { return m_effect; }
    Tonvik::Parameter* parameter(const char* a_id);
    // As the host sets it, committed at once.
    void set_from_host(const char* a_id, float a_normalized);
    // An LFO with one entry of "Range" 1 on each target.
    Tonvik::LfoModulator* add_lfo(std::initializer_list<const char*> a_targets);
    // Runs one short block of silence so that queued changes are committed.
    void settle();
    // The state as the host's getChunk hands it out: program, modulation and instance settings.
    std::vector<uint8_t> chunk();

    // The parameter's display text as the host receives it: UTF-8, at most 15 bytes, cut at a
    // character boundary.
    static std::string host_display(Tonvik::Parameter* a_parameter);

private:
    std::filesystem::path m_folder;
    quorlinchorus::TheEffect m_effect;
};

} // namespace plugin_test
