#include "PluginTestSupport.h"
#include "tools/quorlin/HostCore/PluginHost.h"
#include "tools/quorlin/HostCore/PluginLibrary.h"

#include <gtest/gtest.h>

#include <string>

using quorlin::PluginHost;

namespace
{

VstIntPtr old_host(AEffect*, VstInt32 a_opcode, VstInt32, VstIntPtr, void*, float)
{
    // Answers 0 to everything, the version query included.
    (void)a_opcode;
    return 0;
}

} // namespace

TEST(PluginEntry, EffectRecordDescribesTheChorus)
{
    PluginHost host(plugin_test::plugin_path(), 48000.0f, 512);
    const AEffect* effect = host.get_effect();
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->numParams, 109);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    // Replacing, chunks and an editor; not an instrument, no double precision.
    EXPECT_EQ(effect->flags, effFlagsCanReplacing | effFlagsProgramChunks | effFlagsHasEditor);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(uint32_t(effect->uniqueID), 0xFFFFFE32u);
    EXPECT_EQ(effect->version, 1);
    ASSERT_FALSE(host.get_events().empty());
    EXPECT_EQ(host.get_events().front().kind, quorlin::HostEvent::Kind_WANT_MIDI);
    EXPECT_EQ(host.get_events().front().value, 1.0f);
}

TEST(PluginEntry, HostThatAnswersNoVersionGetsNothing)
{
    std::unique_ptr<quorlin::PluginLibrary> library =
        quorlin::PluginLibrary::open(plugin_test::plugin_path());
    EXPECT_EQ(library->get_entry()(&old_host), nullptr);
    EXPECT_EQ(library->get_entry()(nullptr), nullptr);
}

TEST(PluginEntry, DispatcherAnswers)
{
    PluginHost host(plugin_test::plugin_path());
    EXPECT_EQ(host.can_do("receiveVstEvents"), 1);
    EXPECT_EQ(host.can_do("receiveVstMidiEvent"), 1);
    EXPECT_EQ(host.can_do("sendVstMidiEvent"), 0);
    EXPECT_EQ(host.can_do("bypass"), 0);
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, nullptr), 0);

    host.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(host.dispatch(effGetProgram), 0);
    host.dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(host.dispatch(effGetProgram), 0);
    char program_name[kVstMaxProgNameLen + 1] = "garbage";
    host.dispatch(effGetProgramName, 0, 0, program_name);
    EXPECT_STREQ(program_name, "");

    EXPECT_EQ(host.dispatch(effIdentify), 0x4E764566);
    EXPECT_EQ(host.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(host.dispatch(effGetPlugCategory), kPlugCategUnknown);
    EXPECT_EQ(host.dispatch(effGetTailSize), 0);
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, nullptr), 0);

    void* arrangements[2] = {&host, &host};
    host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&arrangements[0]),
                  &arrangements[1]);
    EXPECT_EQ(arrangements[0], nullptr);
    EXPECT_EQ(arrangements[1], nullptr);

    // The wheel message is handled (and dropped) while no editor window is open.
    EXPECT_EQ(host.dispatch(effVendorSpecific, 0x73744341, 0x57686565, nullptr, -1.0f), 1);
    EXPECT_EQ(host.dispatch(effVendorSpecific, 0x73744341, 0x57686566, nullptr, -1.0f), 0);
    EXPECT_EQ(host.dispatch(effVendorSpecific, 0, 0x57686565, nullptr, -1.0f), 0);
}

TEST(PluginEntry, NamesItself)
{
    PluginHost host(plugin_test::plugin_path());
    EXPECT_EQ(host.get_effect_name(), "Quorlin Chorus");
    EXPECT_EQ(host.get_vendor(), "Quorlin Plugins");
    EXPECT_EQ(host.get_product(), "Quorlin Chorus 0.9.1");
}

TEST(PluginEntry, TwoInstancesLiveSideBySide)
{
    PluginHost first(plugin_test::plugin_path());
    PluginHost second(plugin_test::plugin_path());
    first.set_parameter(28, 0.25f);
    EXPECT_EQ(first.get_parameter(28), 0.25f);
    EXPECT_EQ(second.get_parameter(28), 0.5f);
    first.close();
    EXPECT_EQ(second.get_effect_name(), "Quorlin Chorus");
}
