#pragma once

#include "bex/Core/String.h"

#include <cstdint>

namespace Tonvik
{

// Codes 0x00 to 0x7F are meta-event types, 0x80 to 0xFF status bytes; channel messages are named
// for channel 1 only. Every code without a name gives "Unknown event". Asserts a_code < 256.
const Bex::String& get_midi_event_name(uint32_t a_code);

struct MidiNote
{
    // Pitch class and octave, "C-1" to "G9".
    Bex::String m_name;
    int32_t m_octave;
    // Equal temperament with note 69 at 440 Hz.
    double m_frequency;
};

// Asserts a_note < 128.
const MidiNote& get_midi_note(uint32_t a_note);

} // namespace Tonvik
