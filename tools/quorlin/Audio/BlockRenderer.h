#pragma once

#include "tools/quorlin/Audio/AudioFile.h"
#include "tools/quorlin/HostCore/PluginHost.h"

namespace quorlin
{

// Hands one host block at a time to a plug-in with whatever channel counts it declares. A source
// with fewer channels than the plug-in's inputs repeats its channels (mono feeds both inputs of a
// stereo plug-in); a plug-in with a single input gets the mix of all source channels.
class BlockRenderer
{
public:
    BlockRenderer(PluginHost& a_host, int32_t a_max_block);

    int get_output_count() const { return int(m_outputs.size()); }

    // Processes a_frames (at most the maximum block) frames of a_source from a_offset; the result
    // stays in get_outputs() until the next call.
    void process(const Channels& a_source, size_t a_offset, int32_t a_frames);
    const Channels& get_outputs() const { return m_outputs; }

private:
    PluginHost& m_host;
    int32_t m_max_block;
    Channels m_inputs;
    Channels m_outputs;
    std::vector<float*> m_input_pointers;
    std::vector<float*> m_output_pointers;
};

} // namespace quorlin
