#include "tonvik/Devices/MidiNames.h"

#include "bex/Core/Exception.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(MidiNames, NoteNamesAndOctaves)
{
    EXPECT_EQ(Tonvik::get_midi_note(0).m_name, u"C-1");
    EXPECT_EQ(Tonvik::get_midi_note(0).m_octave, -1);
    EXPECT_EQ(Tonvik::get_midi_note(12).m_name, u"C0");
    EXPECT_EQ(Tonvik::get_midi_note(61).m_name, u"C#4");
    EXPECT_EQ(Tonvik::get_midi_note(60).m_name, u"C4");
    EXPECT_EQ(Tonvik::get_midi_note(69).m_name, u"A4");
    EXPECT_EQ(Tonvik::get_midi_note(127).m_name, u"G9");
    EXPECT_EQ(Tonvik::get_midi_note(127).m_octave, 9);
    EXPECT_THROW(Tonvik::get_midi_note(128), Bex::Exception);
}

TEST(MidiNames, EqualTemperedFrequencies)
{
    EXPECT_EQ(Tonvik::get_midi_note(69).m_frequency, 440.0);
    EXPECT_EQ(Tonvik::get_midi_note(57).m_frequency, 220.0);
    const double note0 = 8.175798915643707;
    EXPECT_NEAR(Tonvik::get_midi_note(0).m_frequency / note0, 1.0, 1e-12);
    for (uint32_t note = 0; note < 128; ++note)
    {
        const double expected = 440.0 * std::pow(2.0, (static_cast<double>(note) - 69.0) / 12.0);
        EXPECT_NEAR(Tonvik::get_midi_note(note).m_frequency / expected, 1.0, 1e-14) << note;
        if (note >= 12)
        {
            EXPECT_EQ(Tonvik::get_midi_note(note).m_frequency,
                      2.0 * Tonvik::get_midi_note(note - 12).m_frequency)
                << note;
        }
    }
}

TEST(MidiNames, EventNames)
{
    EXPECT_EQ(Tonvik::get_midi_event_name(0x00), u"Track number");
    EXPECT_EQ(Tonvik::get_midi_event_name(0x2F), u"End of track");
    EXPECT_EQ(Tonvik::get_midi_event_name(0x54), u"Smtpe offset");
    EXPECT_EQ(Tonvik::get_midi_event_name(0x90), u"Note On");
    EXPECT_EQ(Tonvik::get_midi_event_name(0xE0), u"Pitch Wheel Change");
    // Channel messages carry names for channel 1 only.
    EXPECT_EQ(Tonvik::get_midi_event_name(0x91), u"Unknown event");
    EXPECT_EQ(Tonvik::get_midi_event_name(0x08), u"Unknown event");
    EXPECT_EQ(Tonvik::get_midi_event_name(0xFF), u"Unknown event");
    int named = 0;
    for (uint32_t code = 0; code < 256; ++code)
        named += Tonvik::get_midi_event_name(code) != u"Unknown event";
    EXPECT_EQ(named, 22);
    EXPECT_THROW(Tonvik::get_midi_event_name(256), Bex::Exception);
}
