// Renders a fixed scene through a plug-in binary and writes everything it produced to one file:
// the state chunk after loading a given chunk, the audio, and the chunk after automation. The
// Linux and the Windows builds run the same scene; their files must be equal byte for byte.
//
// Usage: quorlin_fidelity_render PLUGIN CHUNK OUTPUT
#include "tools/quorlin/HostCore/PluginHost.h"

#include "bex/Core/Exception.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{

// A generator with exact integer steps, so that the input is the same on every platform.
class Lcg
{
public:
    uint32_t next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state;
    }
    float next_sample() { return float(int32_t(next() >> 8) - (1 << 23)) / float(1 << 23); }

private:
    uint32_t m_state = 12345u;
};

void append(std::vector<uint8_t>& a_out, const void* a_data, size_t a_size)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(a_data);
    const uint32_t size = uint32_t(a_size);
    a_out.insert(a_out.end(), reinterpret_cast<const uint8_t*>(&size),
                 reinterpret_cast<const uint8_t*>(&size) + sizeof(size));
    a_out.insert(a_out.end(), bytes, bytes + a_size);
}

int run(const char* a_plugin, const char* a_chunk, const char* a_output)
{
    std::ifstream chunk_file(a_chunk, std::ios::binary);
    const std::vector<uint8_t> chunk((std::istreambuf_iterator<char>(chunk_file)),
                                     std::istreambuf_iterator<char>());
    if (chunk.empty())
    {
        std::fprintf(stderr, "cannot read %s\n", a_chunk);
        return 1;
    }

    quorlin::PluginHost host(a_plugin, 48000.0f, 512);
    // A chunk the plug-in cannot load leaves it at its defaults, which would make a weak scene.
    host.set_chunk(chunk);
    const std::vector<uint8_t> loaded = host.get_chunk();
    if (loaded != chunk)
    {
        std::fprintf(stderr, "the plug-in did not take the chunk as it was\n");
        return 1;
    }
    std::vector<uint8_t> result;
    append(result, loaded.data(), loaded.size());

    // Three seconds of noise with a decaying pulse every half second, in irregular host blocks,
    // with automation of a delay, the gain, the mix and an offset between blocks.
    Lcg random;
    const size_t total = 3 * 48000;
    std::vector<float> left(total);
    std::vector<float> right(total);
    for (size_t i = 0; i < total; ++i)
    {
        const float pulse = (i % 24000) < 200 ? 1.0f - float(i % 24000) / 200.0f : 0.0f;
        left[i] = 0.25f * random.next_sample() + pulse;
        right[i] = 0.25f * random.next_sample() - pulse;
    }
    std::vector<float> out_left(total);
    std::vector<float> out_right(total);
    size_t done = 0;
    int block = 0;
    while (done < total)
    {
        const size_t frames = std::min<size_t>(1 + random.next() % 700, total - done);
        switch (block++ % 40)
        {
        case 5:
            host.set_parameter(29, 0.1f + float(block % 7) * 0.1f);
            break;
        case 15:
            host.set_parameter(23, float(block % 10) * 0.1f);
            break;
        case 25:
            host.set_parameter(28, 0.3f + float(block % 5) * 0.1f);
            break;
        case 35:
            host.set_parameter(17, float(block % 9) * 0.1f);
            break;
        default:
            break;
        }
        float* inputs[2] = {left.data() + done, right.data() + done};
        float* outputs[2] = {out_left.data() + done, out_right.data() + done};
        host.process_block(inputs, outputs, int32_t(frames));
        done += frames;
    }
    append(result, out_left.data(), out_left.size() * sizeof(float));
    append(result, out_right.data(), out_right.size() * sizeof(float));
    const std::vector<uint8_t> final_chunk = host.get_chunk();
    append(result, final_chunk.data(), final_chunk.size());
    host.close();

    std::ofstream output(a_output, std::ios::binary | std::ios::trunc);
    output.write(reinterpret_cast<const char*>(result.data()), std::streamsize(result.size()));
    output.close();
    if (!output)
    {
        std::fprintf(stderr, "cannot write %s\n", a_output);
        return 1;
    }
    return 0;
}

} // namespace

int main(int a_argc, char** a_argv)
{
    if (a_argc != 4)
    {
        std::fprintf(stderr, "usage: quorlin_fidelity_render PLUGIN CHUNK OUTPUT\n");
        return 2;
    }
    try
    {
        return run(a_argv[1], a_argv[2], a_argv[3]);
    }
    catch (const Bex::Exception& e)
    {
        std::fprintf(stderr, "%s\n", e.get_message().to_utf8().c_str());
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return 1;
}
