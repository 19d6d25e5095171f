#include "tonvik/Vst/VstHost.h"
#include "PluginTestSupport.h"
#include "bex/Core/Id.h"
#include "quorlinchorus/TheEffect.h"
#include "tonvik/Application/TheApplication.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/Host.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/Parameters/ParameterCollection.h"
#include "tonvik/Platform/RecursiveLock.h"
#include "tonvik/Vst/VstEntry.h"
#include "tonvik/Vst/VstText.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace Tonvik;

namespace
{

struct Call
{
    VstInt32 m_opcode;
    VstInt32 m_index;
    float m_opt;
};

// What the adapter said to its host, and the time information it is answered with.
struct FakeHost
{
    std::vector<Call> m_calls;
    VstTimeInfo m_time{};
    bool m_has_time = true;
};
FakeHost g_host;

VstIntPtr host_callback(AEffect*, VstInt32 a_opcode, VstInt32 a_index, VstIntPtr, void*,
                        float a_opt)
{
    if (a_opcode == audioMasterVersion)
        return 2400;
    if (a_opcode == audioMasterGetTime)
        return g_host.m_has_time ? reinterpret_cast<VstIntPtr>(&g_host.m_time) : 0;
    g_host.m_calls.push_back({a_opcode, a_index, a_opt});
    return 0;
}

// The chorus, watching the MIDI that reaches it.
class ChorusUnderTest : public quorlinchorus::TheEffect
{
public:
    void on_midi_message(const uint8_t a_message[4]) override
    {
        m_midi.push_back({a_message[0], a_message[1], a_message[2], a_message[3]});
    }

    std::vector<std::array<uint8_t, 4>> m_midi;
};

class BrokenDevice : public quorlinchorus::TheEffect
{
public:
    BrokenDevice() { m_static_config.m_plugin_name.clear(); }
};

class VstHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_host = FakeHost();
        AEffect* effect =
            create_vst_effect(&host_callback, []() -> Device* { return new ChorusUnderTest(); });
        ASSERT_NE(effect, nullptr);
        m_effect = effect;
        m_adapter = static_cast<VstHost*>(static_cast<AudioEffect*>(effect->object));
        m_device = static_cast<ChorusUnderTest*>(m_adapter->get_device());
    }

    void TearDown() override
    {
        if (m_effect)
            m_effect->dispatcher(m_effect, effClose, 0, 0, nullptr, 0.0f);
    }

    Parameter* find(const char* a_id)
    {
        return m_device->get_program()->get_collection().find(Bex::make_id(a_id));
    }

    void process(int32_t a_frames)
    {
        std::vector<float> left(static_cast<size_t>(a_frames)),
            right(static_cast<size_t>(a_frames));
        float* channels[2] = {left.data(), right.data()};
        m_effect->processReplacing(m_effect, channels, channels, a_frames);
    }

    AEffect* m_effect = nullptr;
    VstHost* m_adapter = nullptr;
    ChorusUnderTest* m_device = nullptr;
};

} // namespace

TEST_F(VstHostTest, ProgramGivesTheHostItsList)
{
    const Bex::Vector<Parameter*>& list = m_device->get_program()->get_host_list();
    ASSERT_EQ(list.size(), 109u);
    EXPECT_EQ(m_effect->numParams, 109);
    EXPECT_EQ(list[16]->get_id(), Bex::make_id("DlTr"));
    EXPECT_EQ(list[28]->get_id(), Bex::make_id("Wet "));
    EXPECT_EQ(list[69]->get_short_name(), u"In pan law 1");
    EXPECT_EQ(list[108]->get_id(), Bex::make_id("Sol8"));
    Parameter* pitch = find("PiM3");
    ASSERT_NE(pitch, nullptr);
    EXPECT_EQ(pitch->get_name(), u"Pitch modulation 3");
    EXPECT_EQ(pitch->get_short_name(), u"Pitch mod 3");
    EXPECT_FALSE(pitch->m_persistent);
    EXPECT_FALSE(pitch->m_host_visible);
    EXPECT_EQ(pitch->m_host_index, -1);
    ASSERT_NE(pitch->get_modulatee(), nullptr);
    EXPECT_TRUE(pitch->get_modulatee()->is_modulatable());
    // Soloing voice 4 silences every other voice through the shared callback.
    m_effect->setParameter(m_effect, 104, 1.0f);
    process(16);
    ASSERT_EQ(m_device->get_engine().get_active_voice_count(), 1u);
    EXPECT_EQ(m_device->get_engine().get_active_voices()[0], 3u);
}

TEST_F(VstHostTest, WetWithInversionRunsFromZeroToMinusOne)
{
    auto* wet = static_cast<FloatParameter*>(find("Wet "));
    ASSERT_NE(wet, nullptr);
    wet->p_use_variation(wet->find_variation(2));
    const float* output = m_device->get_engine().m_wet;
    for (float normalized : {0.0f, 1.0f})
    {
        wet->m_normalized_value = normalized;
        wet->m_denormalize(wet);
        wet->do_commit();
        EXPECT_EQ(output[0], -normalized);
        EXPECT_EQ(output[15], -normalized);
    }
}

TEST_F(VstHostTest, OnlyMidiEventsReachTheDevice)
{
    VstMidiEvent note_on{}, note_off{};
    note_on.type = note_off.type = kVstMidiType;
    std::memcpy(note_on.midiData, "\x90\x3C\x64\x00", 4);
    std::memcpy(note_off.midiData, "\x80\x3C\x00\x00", 4);
    char dump[] = "\xF0\x7E\xF7";
    VstMidiSysexEvent sysex{};
    sysex.type = kVstSysExType;
    sysex.dumpBytes = 3;
    sysex.sysexDump = dump;
    struct
    {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[3];
    } list{3,
           0,
           {reinterpret_cast<VstEvent*>(&sysex), reinterpret_cast<VstEvent*>(&note_on),
            reinterpret_cast<VstEvent*>(&note_off)}};
    EXPECT_EQ(m_effect->dispatcher(m_effect, effProcessEvents, 0, 0, &list, 0.0f), 1);
    process(32);
    ASSERT_EQ(m_device->m_midi.size(), 2u);
    EXPECT_EQ(m_device->m_midi[0], (std::array<uint8_t, 4>{0x90, 0x3C, 0x64, 0x00}));
    EXPECT_EQ(m_device->m_midi[1], (std::array<uint8_t, 4>{0x80, 0x3C, 0x00, 0x00}));
}

TEST_F(VstHostTest, TempoAndSongPositionFollowTheHostsFlags)
{
    Host* host = m_device->m_host;
    ASSERT_NE(host, nullptr);
    g_host.m_time.ppqPos = 12.5;
    g_host.m_time.tempo = 87.0;
    g_host.m_time.flags = kVstPpqPosValid | kVstTempoValid;
    double position = -1.0;
    EXPECT_FALSE(host->get_song_position(position));
    EXPECT_EQ(position, -1.0);
    g_host.m_time.flags |= kVstTransportPlaying;
    EXPECT_TRUE(host->get_song_position(position));
    EXPECT_EQ(position, 12.5);
    g_host.m_has_time = false;
    EXPECT_FALSE(host->get_song_position(position));

    g_host.m_has_time = true;
    process(16);
    EXPECT_EQ(m_device->get_tempo(), 87.0);
    // Without a valid tempo the last one stays.
    g_host.m_time.tempo = 140.0;
    g_host.m_time.flags = kVstPpqPosValid;
    process(16);
    EXPECT_EQ(m_device->get_tempo(), 87.0);
}

TEST_F(VstHostTest, UserChangesReachTheHostAsGestureAndAutomation)
{
    g_host.m_calls.clear();
    find("Wet ")->set_normalized_value(0.25f);
    ASSERT_EQ(g_host.m_calls.size(), 3u);
    EXPECT_EQ(g_host.m_calls[0].m_opcode, audioMasterBeginEdit);
    EXPECT_EQ(g_host.m_calls[1].m_opcode, audioMasterAutomate);
    EXPECT_EQ(g_host.m_calls[1].m_opt, 0.25f);
    EXPECT_EQ(g_host.m_calls[2].m_opcode, audioMasterEndEdit);
    for (const Call& call : g_host.m_calls)
        EXPECT_EQ(call.m_index, 28);
    EXPECT_EQ(m_effect->getParameter(m_effect, 28), 0.25f);

    // Host changes and hidden parameters are never reported back.
    g_host.m_calls.clear();
    m_effect->setParameter(m_effect, 28, 0.75f);
    find("PiM1")->set_normalized_value(0.5f);
    EXPECT_TRUE(g_host.m_calls.empty());
}

// While another thread holds the parameter lock (a preset load, an editor command), the host's
// automation must neither wait nor be lost.
TEST_F(VstHostTest, AValueSetWhileTheLockIsTakenIsParkedThenApplied)
{
    Parameter* dry = find("Dry ");
    ASSERT_NE(dry, nullptr);
    std::atomic<bool> locked{false};
    std::atomic<bool> release{false};
    std::thread holder(
        [&]
        {
            ScopedLock lock(m_device->get_parameter_lock());
            locked = true;
            while (!release)
                std::this_thread::yield();
        });
    while (!locked)
        std::this_thread::yield();
    m_effect->setParameter(m_effect, 22, 0.2f);
    EXPECT_EQ(m_effect->getParameter(m_effect, 22), 0.2f);
    EXPECT_NE(dry->get_normalized_value(), 0.2f);
    // An audio block that cannot take the lock leaves the value parked.
    process(16);
    EXPECT_NE(dry->get_normalized_value(), 0.2f);
    release = true;
    holder.join();
    process(16);
    EXPECT_EQ(dry->get_normalized_value(), 0.2f);
    EXPECT_EQ(m_effect->getParameter(m_effect, 22), 0.2f);
}

// An instance whose toolkit folder holds a given style sheet, or none.
class StyledChorus : public quorlinchorus::TheEffect
{
public:
    static inline std::string s_folder;
    StyledChorus()
    {
        m_static_config.m_common_internal_data_folder = Bex::String::from_utf8(s_folder);
    }
};

TEST(VstEntry, AStyleSheetThatDoesNotLoadFlagsEveryInstanceButTheyStillLoad)
{
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("tonvik-vst-sheet-" + std::to_string(std::random_device()()));
    fs::create_directories(folder);
    StyledChorus::s_folder = folder.string();
    TheApplication::create(nullptr);
    auto open = [](std::string_view a_built_in)
    {
        AEffect* effect = create_vst_effect(
            &host_callback, []() -> Device* { return new StyledChorus(); }, a_built_in);
        EXPECT_NE(effect, nullptr);
        return effect;
    };
    auto device_of = [](AEffect* a_effect)
    { return static_cast<VstHost*>(static_cast<AudioEffect*>(a_effect->object))->get_device(); };
    auto close = [](AEffect* a_effect)
    { a_effect->dispatcher(a_effect, effClose, 0, 0, nullptr, 0.0f); };

    // No file: the sheet built into the plug-in.
    AEffect* built_in = open("\xEF\xBB\xBF"
                             "class Widget; padding: 2px; end class;");
    EXPECT_FALSE(device_of(built_in)->m_error);
    close(built_in);

    std::ofstream(folder / "stylesheet.dat", std::ios::binary) << "\xEF\xBB\xBF"
                                                                  "class {";
    AEffect* first = open({});
    AEffect* second = open({});
    for (AEffect* effect : {first, second})
    {
        EXPECT_TRUE(device_of(effect)->m_error);
        EXPECT_EQ(device_of(effect)->m_error_text, u"Couldn't load style sheet.");
        // Still a working effect.
        std::vector<float> samples(64, 0.5f);
        float* channels[2] = {samples.data(), samples.data()};
        effect->processReplacing(effect, channels, channels, 64);
    }
    EXPECT_EQ(TheApplication::get()->get_user_count(), 2u);
    close(first);
    close(second);
    EXPECT_EQ(TheApplication::get()->get_user_count(), 0u);
    TheApplication::destroy();
    fs::remove_all(folder);
}

TEST(VstEntry, FailingDeviceGivesNullAndLeavesNothingBehind)
{
    g_host = FakeHost();
    EXPECT_EQ(create_vst_effect(&host_callback, []() -> Device* { return new BrokenDevice(); }),
              nullptr);
    EXPECT_EQ(create_vst_effect(&host_callback, []() -> Device* { throw 42; }), nullptr);
}

TEST(VstText, CutsAtCharacterBoundaries)
{
    char text[32];
    std::memset(text, 'x', sizeof(text));
    copy_text_to_host(std::string_view("Input panning law 1"), text, 15);
    EXPECT_STREQ(text, "Input panning l");
    // "Größe" with the 2-byte "ö" straddling the limit loses the whole character.
    copy_text_to_host(Bex::String(u"Gr\u00f6\u00dfe"), text, 3);
    EXPECT_STREQ(text, "Gr");
    copy_text_to_host(Bex::String(u"Gr\u00f6\u00dfe"), text, 4);
    EXPECT_STREQ(text, "Gr\xc3\xb6");
    // A 4-byte character (two UTF-16 units) that does not fit is dropped whole.
    copy_text_to_host(Bex::String(u"ab\U0001F3B5"), text, 5);
    EXPECT_STREQ(text, "ab");
    copy_text_to_host(std::string_view(""), text, 15);
    EXPECT_STREQ(text, "");
}
