#include "tools/quorlin/Audio/BlockRenderer.h"

#include "bex/Core/Assert.h"
#include "bex/Core/Exception.h"

namespace quorlin
{

BlockRenderer::BlockRenderer(PluginHost& a_host, int32_t a_max_block)
    : m_host(a_host), m_max_block(a_max_block)
{
    const AEffect* effect = a_host.get_effect();
    if (effect->numOutputs < 1)
        throw Bex::Exception(Bex::String(u"The plug-in has no audio outputs."));
    if (!effect->processReplacing || !(effect->flags & effFlagsCanReplacing))
        throw Bex::Exception(Bex::String(u"The plug-in cannot process (no processReplacing)."));
    m_inputs.assign(size_t(std::max(effect->numInputs, 0)),
                    std::vector<float>(size_t(a_max_block)));
    m_outputs.assign(size_t(effect->numOutputs), std::vector<float>(size_t(a_max_block)));
    for (std::vector<float>& channel : m_inputs)
        m_input_pointers.push_back(channel.data());
    for (std::vector<float>& channel : m_outputs)
        m_output_pointers.push_back(channel.data());
    // A plug-in without inputs still gets a valid array.
    if (m_input_pointers.empty())
        m_input_pointers.push_back(nullptr);
}

void BlockRenderer::process(const Channels& a_source, size_t a_offset, int32_t a_frames)
{
    BEX_ASSERT(a_frames > 0 && a_frames <= m_max_block);
    const size_t frames = size_t(a_frames);
    const size_t sources = a_source.size();
    if (m_inputs.size() == 1 && sources > 1)
    {
        std::vector<float>& mix = m_inputs[0];
        for (size_t i = 0; i < frames; ++i)
        {
            float sum = 0.0f;
            for (const std::vector<float>& channel : a_source)
                sum += channel[a_offset + i];
            mix[i] = sum / float(sources);
        }
    }
    else
    {
        for (size_t input = 0; input < m_inputs.size(); ++input)
        {
            const float* from = a_source[input % sources].data() + a_offset;
            std::copy(from, from + frames, m_inputs[input].begin());
        }
    }
    for (std::vector<float>& channel : m_outputs)
        std::fill(channel.begin(), channel.begin() + a_frames, 0.0f);
    m_host.process_block(m_input_pointers.data(), m_output_pointers.data(), a_frames);
}

} // namespace quorlin
