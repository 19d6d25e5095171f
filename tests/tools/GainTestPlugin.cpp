// A minimal plug-in for exercising the host core: one gain parameter, a chunk holding it, and a
// count of received MIDI messages exposed as a second, read-only parameter.
//
// Built with GAIN_TEST_BINI_CHUNK it behaves like the chorus towards its chunk instead: the chunk
// is a Bini document behind "Bini Test/Preset" holding Prog/Gain and the instance state
// Stat/PrPa, and a chunk that does not load (or lacks a node) resets the gain to its default.
#include "vst/AudioEffectX.h"

#include <cstring>

#ifdef GAIN_TEST_BINI_CHUNK
#include "bex/Binis/BiniDocument.h"
#include "bex/Core/Id.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "bex/Streams/MemoryInputStream.h"

#include <string_view>
#include <vector>

namespace
{
constexpr std::string_view PREAMBLE = "Bini Test/Preset";
constexpr float DEFAULT_GAIN = 0.5f;
} // namespace
#endif

namespace
{

class GainTestPlugin : public AudioEffectX
{
public:
    explicit GainTestPlugin(audioMasterCallback a_master) : AudioEffectX(a_master, 1, 2)
    {
        setNumInputs(2);
        setNumOutputs(2);
        setUniqueID(0x47746573);
        canProcessReplacing();
        programsAreChunks();
        wantEvents();
    }

    void setParameter(VstInt32 a_index, float a_value) override
    {
        if (a_index == 0)
            m_gain = a_value;
    }
    float getParameter(VstInt32 a_index) override
    {
        return a_index == 0 ? m_gain : a_index == 1 ? float(m_midi_count) : 0.0f;
    }
    void getParameterName(VstInt32 a_index, char* a_text) override
    {
        std::strcpy(a_text, a_index == 0 ? "Gain" : "Midi");
    }
#ifndef GAIN_TEST_BINI_CHUNK
    bool getEffectName(char* a_text) override
    {
        std::strcpy(a_text, "Gain Test");
        return true;
    }
    VstInt32 getChunk(void** a_data, bool) override
    {
        m_chunk = m_gain;
        *a_data = &m_chunk;
        return sizeof(m_chunk);
    }
    VstInt32 setChunk(void* a_data, VstInt32 a_size, bool) override
    {
        if (a_size == sizeof(float))
            std::memcpy(&m_gain, a_data, sizeof(float));
        return 0;
    }
#else
    bool getEffectName(char* a_text) override
    {
        std::strcpy(a_text, "Bini Test");
        return true;
    }
    VstInt32 getChunk(void** a_data, bool) override
    {
        Bex::BiniDocument document;
        document.get_root()
            .add_child(Bex::make_id("Prog"))
            .add_child(Bex::make_id("Gain"))
            .set_value_float(m_gain);
        document.get_root()
            .add_child(Bex::make_id("Stat"))
            .add_child(Bex::make_id("PrPa"))
            .set_value_string(u"/presets/current.preset");
        Bex::ExpandingOutputStream output(4096);
        document.save(&output, PREAMBLE.data(), PREAMBLE.size());
        m_bini_chunk = output.get_contents();
        *a_data = m_bini_chunk.data();
        return VstInt32(m_bini_chunk.size());
    }
    VstInt32 setChunk(void* a_data, VstInt32 a_size, bool) override
    {
        try
        {
            Bex::MemoryInputStream input(a_data, size_t(a_size));
            Bex::BiniDocument document;
            document.load(&input, PREAMBLE.data(), PREAMBLE.size());
            const float gain = document.get_root()
                                   .get_child(Bex::make_id("Prog"))
                                   .get_child(Bex::make_id("Gain"))
                                   .get_value_float();
            document.get_root().get_child(Bex::make_id("Stat")).get_child(Bex::make_id("PrPa"));
            m_gain = gain;
        }
        catch (const Bex::Exception&)
        {
            m_gain = DEFAULT_GAIN;
        }
        return 0;
    }
#endif
    VstInt32 processEvents(VstEvents* a_events) override
    {
        for (VstInt32 i = 0; i < a_events->numEvents; ++i)
        {
            if (a_events->events[i]->type == kVstMidiType)
                ++m_midi_count;
        }
        return 1;
    }
    void processReplacing(float** a_in, float** a_out, VstInt32 a_frames) override
    {
        // Tempo is folded into the output so the test sees the time information arrive.
        VstTimeInfo* time = getTimeInfo(kVstTempoValid);
        const float offset = (time && (time->flags & kVstTempoValid)) ? float(time->tempo) : 0.0f;
        for (VstInt32 channel = 0; channel < 2; ++channel)
        {
            for (VstInt32 i = 0; i < a_frames; ++i)
                a_out[channel][i] = a_in[channel][i] * m_gain + offset;
        }
    }

private:
    float m_gain = 0.5f;
    float m_chunk = 0.0f;
#ifdef GAIN_TEST_BINI_CHUNK
    std::vector<unsigned char> m_bini_chunk;
#endif
    int m_midi_count = 0;
};

} // namespace

extern "C" __attribute__((visibility("default"))) AEffect*
VSTPluginMain(audioMasterCallback a_master)
{
    if (!a_master(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f))
        return nullptr;
    return (new GainTestPlugin(a_master))->getAeffect();
}
