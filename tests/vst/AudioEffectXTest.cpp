#include "vst/AudioEffectX.h"
#include "vst/AEffEditor.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

struct HostCall
{
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

std::vector<HostCall> g_host_calls;

VstIntPtr recording_host(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*,
                         float opt)
{
    g_host_calls.push_back({opcode, index, value, opt});
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

int g_live_effects = 0;

struct KeyEditor : AEffEditor
{
    bool onKeyDown(VstKeyCode& key) override
    {
        last = key;
        return true;
    }
    VstKeyCode last{};
};

struct MiniEffect : AudioEffectX
{
    MiniEffect() : AudioEffectX(recording_host, 1, 3) { ++g_live_effects; }
    ~MiniEffect() override { --g_live_effects; }
    void processReplacing(float**, float**, VstInt32) override {}
    void setParameter(VstInt32 index, float value) override
    {
        if (index >= 0 && index < 3)
            values[index] = value;
    }
    float values[3] = {};
};

} // namespace

TEST(AudioEffectX, RecordAndFixedAnswers)
{
    auto* effect = new MiniEffect;
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(record->magic, kEffectMagic);
    EXPECT_EQ(record->object, effect);
    EXPECT_EQ(record->numParams, 3);
    EXPECT_FLOAT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->dispatcher(record, effIdentify, 0, 0, nullptr, 0), 0x4E764566);
    EXPECT_EQ(record->dispatcher(record, effGetVstVersion, 0, 0, nullptr, 0), 2400);
    EXPECT_EQ(record->dispatcher(record, effSetProgram, 0, 1, nullptr, 0), 0);
    EXPECT_EQ(record->dispatcher(record, effSetProgram, 0, -1, nullptr, 0), 0);
    EXPECT_EQ(record->dispatcher(record, effGetProgram, 0, 0, nullptr, 0), 0);
    EXPECT_EQ(record->dispatcher(record, effGetTailSize + 100, 0, 0, nullptr, 0), 0);

    void* in = reinterpret_cast<void*>(1);
    void* out = reinterpret_cast<void*>(1);
    record->dispatcher(record, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out,
                       0);
    EXPECT_EQ(in, nullptr);
    EXPECT_EQ(out, nullptr);

    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0), 1);
    EXPECT_EQ(g_live_effects, 0);
}

TEST(AudioEffectX, AutomationAndGesturesReachTheHost)
{
    MiniEffect effect;
    g_host_calls.clear();
    effect.beginEdit(2);
    effect.setParameterAutomated(2, 0.25f);
    effect.endEdit(2);
    EXPECT_FLOAT_EQ(effect.values[2], 0.25f);
    ASSERT_EQ(g_host_calls.size(), 3u);
    EXPECT_EQ(g_host_calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(g_host_calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(g_host_calls[1].index, 2);
    EXPECT_FLOAT_EQ(g_host_calls[1].opt, 0.25f);
    EXPECT_EQ(g_host_calls[2].opcode, audioMasterEndEdit);

    g_host_calls.clear();
    effect.wantEvents();
    ASSERT_EQ(g_host_calls.size(), 1u);
    EXPECT_EQ(g_host_calls[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(g_host_calls[0].value, 1);
}

TEST(AudioEffectX, EditorKeysAreForwarded)
{
    MiniEffect effect;
    AEffect* record = effect.getAeffect();
    EXPECT_EQ(record->dispatcher(record, effEditKeyDown, 'a', VKEY_LEFT, nullptr, MODIFIER_SHIFT),
              0);
    auto* editor = new KeyEditor;
    effect.setEditor(editor);
    EXPECT_TRUE(record->flags & effFlagsHasEditor);
    EXPECT_EQ(record->dispatcher(record, effEditKeyDown, 'a', VKEY_LEFT, nullptr, MODIFIER_SHIFT),
              1);
    EXPECT_EQ(editor->last.character, 'a');
    EXPECT_EQ(editor->last.virt, VKEY_LEFT);
    EXPECT_EQ(editor->last.modifier, MODIFIER_SHIFT);
}
