#include "tonvik/Devices/MidiNames.h"

#include "bex/Core/Assert.h"

#include <cmath>

namespace Tonvik
{

namespace
{

struct EventNames
{
    EventNames()
    {
        for (Bex::String& name : m_names)
            name = u"Unknown event";
        m_names[0x00] = u"Track number";
        m_names[0x01] = u"Text";
        m_names[0x02] = u"Copyright notice";
        m_names[0x03] = u"Track name";
        m_names[0x04] = u"Instrument name";
        m_names[0x05] = u"Lyrics";
        m_names[0x06] = u"Marker";
        m_names[0x07] = u"Cue point";
        m_names[0x20] = u"Channel prefix";
        m_names[0x2F] = u"End of track";
        m_names[0x51] = u"Set tempo";
        m_names[0x54] = u"Smtpe offset";
        m_names[0x58] = u"Time signature";
        m_names[0x59] = u"Key signature";
        m_names[0x7F] = u"Sequencer specific";
        m_names[0x80] = u"Note Off";
        m_names[0x90] = u"Note On";
        m_names[0xA0] = u"Note Aftertouch";
        m_names[0xB0] = u"Control change";
        m_names[0xC0] = u"Program change";
        m_names[0xD0] = u"Channel Aftertouch";
        m_names[0xE0] = u"Pitch Wheel Change";
    }

    Bex::String m_names[256];
};

struct NoteTable
{
    NoteTable()
    {
        static const char16_t* const pitch_classes[12] = {u"C",  u"C#", u"D",  u"D#", u"E",  u"F",
                                                          u"F#", u"G",  u"G#", u"A",  u"A#", u"B"};
        for (int32_t note = 0; note < 128; ++note)
        {
            MidiNote& row = m_notes[note];
            row.m_octave = note / 12 - 1;
            row.m_name =
                Bex::String(pitch_classes[note % 12]) + Bex::String::from_number(row.m_octave);
            // Only the step within the octave goes through exp2; whole octaves are exact powers of
            // two, so every A is exactly 440 * 2^k and octaves double exactly.
            const int32_t from_a = note - 69;
            const int32_t octaves = from_a >= 0 ? from_a / 12 : -((11 - from_a) / 12);
            const int32_t step = from_a - octaves * 12;
            row.m_frequency = std::ldexp(440.0 * std::exp2(step / 12.0), octaves);
        }
    }

    MidiNote m_notes[128];
};

} // namespace

const Bex::String& get_midi_event_name(uint32_t a_code)
{
    static const EventNames names;
    BEX_ASSERT(a_code < 256);
    return names.m_names[a_code];
}

const MidiNote& get_midi_note(uint32_t a_note)
{
    static const NoteTable table;
    BEX_ASSERT(a_note < 128);
    return table.m_notes[a_note];
}

} // namespace Tonvik
