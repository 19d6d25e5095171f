#include "TestDevice.h"

#include "tonvik/Devices/Host.h"
#include "tonvik/Parameters/ParameterSmoother.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using namespace Tonvik;
using namespace TonvikTest;

namespace
{

class DeviceCycleTest : public ::testing::Test
{
protected:
    DeviceCycleTest() : m_device(m_folder.path())
    {
        m_device.initialize();
        m_device.set_sample_rate(48000.0f);
        m_device.m_calls.clear();
    }

    // a_frames of input 0 on both channels; returns the left output.
    std::vector<float> run(int32_t a_frames)
    {
        std::vector<float> in(size_t(std::max(a_frames, 0)), 0.0f);
        std::vector<float> left(in.size(), 7.0f);
        std::vector<float> right(in.size(), 7.0f);
        const float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {left.data(), right.data()};
        m_device.process(inputs, outputs, a_frames, 0.0, false);
        return left;
    }

    std::vector<std::pair<int, uint32_t>> slots() const
    {
        std::vector<std::pair<int, uint32_t>> result;
        for (const SlotCall& call : m_device.m_calls)
            result.emplace_back(call.m_slot, call.m_count);
        return result;
    }

    TemporaryFolder m_folder;
    TestDevice m_device;
};

class RecordingListener : public DeviceListener
{
public:
    void on_tempo_changed(double a_tempo) override { m_values.push_back(a_tempo); }
    void on_song_position(double a_position) override { m_values.push_back(a_position); }
    std::vector<double> m_values;
};

class SongPositionHost : public Host
{
public:
    void begin_edit(Parameter*) override {}
    void end_edit(Parameter*) override {}
    void automate(Parameter*, float) override {}
    bool get_song_position(double& a_position) override
    {
        a_position = 12.5;
        return true;
    }
};

} // namespace

TEST_F(DeviceCycleTest, HostBlocksFollowOneSixteenSampleGridAndSmoothersAdvanceWithIt)
{
    // A host change glides from 8 toward 16 at (16 / 2400) per sample: 50 ms at 48 kHz.
    m_device.m_level->set_normalized_value_from_host(1.0f);
    run(100);
    run(100);
    const std::vector<std::pair<int, uint32_t>> expected = {
        {9, 16},  {9, 16}, {9, 16}, {9, 16}, {9, 16}, {9, 16}, {12, 4},
        {10, 12}, {9, 16}, {9, 16}, {9, 16}, {9, 16}, {9, 16}, {12, 8}};
    EXPECT_EQ(slots(), expected);
    uint32_t done = 0;
    for (const SlotCall& call : m_device.m_calls)
    {
        done += call.m_count;
        EXPECT_NEAR(call.m_level, 8.0f + float(done) * 16.0f / 2400.0f, 1e-3f) << done;
    }
    EXPECT_TRUE(m_device.is_partial_block_pending());
    EXPECT_EQ(m_device.get_partial_block_missing(), 8u);
}

TEST_F(DeviceCycleTest, FlushingSettlesGlidesAndDrainsBothQueues)
{
    m_device.m_level->set_normalized_value_from_host(1.0f);
    run(16);
    ASSERT_TRUE(m_device.has_running_smoothers());
    m_device.m_steps->set_normalized_value_from_host(0.5f);
    m_device.flush_changes();
    EXPECT_FALSE(m_device.has_running_smoothers());
    EXPECT_FLOAT_EQ(m_device.m_level_output[0], 16.0f);
    EXPECT_EQ(m_device.m_steps_value, 50);
    EXPECT_FALSE(m_device.m_steps->m_commit_nodes[0].m_enlisted);
    EXPECT_FALSE(m_device.m_steps->m_commit_nodes[1].m_enlisted);
}

TEST_F(DeviceCycleTest, ShortBlocksCompleteOneSubBlockBetweenThem)
{
    run(8);
    run(4);
    run(4);
    run(16);
    const std::vector<std::pair<int, uint32_t>> expected = {{12, 8}, {11, 4}, {10, 4}, {9, 16}};
    EXPECT_EQ(slots(), expected);
    EXPECT_FALSE(m_device.is_partial_block_pending());
}

TEST_F(DeviceCycleTest, BusyProcessingLockGivesOneBlockOfSilenceWithoutWaiting)
{
    std::promise<void> locked;
    std::promise<void> release;
    std::thread holder(
        [&]
        {
            ScopedLock lock(m_device.get_processing_lock());
            locked.set_value();
            release.get_future().wait();
        });
    locked.get_future().wait();
    EXPECT_EQ(run(20), std::vector<float>(20, 0.0f));
    EXPECT_TRUE(m_device.m_calls.empty());
    release.set_value();
    holder.join();
    EXPECT_EQ(run(20), std::vector<float>(20, 1.0f));
}

TEST_F(DeviceCycleTest, MissingBuffersAndEmptyBlocksAreHandled)
{
    std::vector<float> left(20, 7.0f);
    std::vector<float> right(20, 7.0f);
    float* outputs[2] = {left.data(), right.data()};
    // No input arrays read as silence.
    m_device.process(nullptr, outputs, 20, 0.0, false);
    EXPECT_EQ(left, std::vector<float>(20, 1.0f));
    EXPECT_EQ(right, std::vector<float>(20, 1.0f));
    // No output arrays or a missing channel: processed, written nowhere else.
    const float* inputs[2] = {left.data(), nullptr};
    float* only_right[2] = {nullptr, right.data()};
    m_device.process(inputs, only_right, 20, 0.0, false);
    EXPECT_EQ(right, std::vector<float>(20, 1.0f));
    m_device.process(inputs, nullptr, 20, 0.0, false);
    const size_t calls = m_device.m_calls.size();
    run(0);
    run(-16);
    EXPECT_EQ(m_device.m_calls.size(), calls);
}

TEST_F(DeviceCycleTest, DenormalsAreOffOnlyWhileProcessing)
{
    ASSERT_FALSE(are_denormals_off());
    run(16);
    EXPECT_TRUE(m_device.m_denormals_off);
    EXPECT_FALSE(are_denormals_off());
}

TEST_F(DeviceCycleTest, MidiNotesReachTheHandlersAndRetriggerKeys)
{
    const uint8_t note_on[4] = {0x93, 12, 100, 0};
    const uint8_t silent_on[4] = {0x90, 60 | 0x80, 0, 0};
    const uint8_t note_off[4] = {0x81, 13, 64, 0};
    const uint8_t controller[4] = {0xB0, 7, 100, 0};
    for (const uint8_t* message : {note_on, silent_on, note_off, controller})
        m_device.queue_midi_message(message);
    EXPECT_TRUE(m_device.m_notes.empty());
    run(16);
    const std::vector<std::vector<uint32_t>> expected = {
        {1, 3, 12, 100}, {1, 0, 60, 0}, {0, 1, 13, 64}};
    EXPECT_EQ(m_device.m_notes, expected);
    // Note 12 is the first default retrigger key; note 60 matches none.
    EXPECT_EQ(m_device.m_retriggers, std::vector<uint32_t>{1u});
}

TEST(MidiQueueTest, AFullRingDropsTheOldestMessages)
{
    MidiQueue queue;
    for (uint32_t i = 0; i < MidiQueue::Size + 6; ++i)
    {
        const uint8_t message[4] = {0x90, uint8_t(i & 0x7F), uint8_t(i >> 7), 0};
        queue.push(message);
    }
    EXPECT_EQ(queue.size(), MidiQueue::Size - 1);
    std::vector<uint32_t> received;
    queue.drain([&](const uint8_t* a_message)
                { received.push_back(uint32_t(a_message[1]) | uint32_t(a_message[2]) << 7); });
    ASSERT_EQ(received.size(), MidiQueue::Size - 1);
    EXPECT_EQ(received.front(), 7u);
    EXPECT_EQ(received.back(), MidiQueue::Size + 5);
    EXPECT_TRUE(queue.empty());
}

TEST_F(DeviceCycleTest, ListenersHearTempoAndSongPosition)
{
    RecordingListener tempo;
    RecordingListener first_position;
    RecordingListener second_position;
    m_device.connect_listener(&tempo, DeviceSignal_TEMPO);
    m_device.connect_listener(&first_position, DeviceSignal_SONG_POSITION);
    m_device.connect_listener(&second_position, DeviceSignal_SONG_POSITION);
    SongPositionHost host;
    m_device.m_host = &host;

    const float* inputs[2] = {nullptr, nullptr};
    m_device.process(inputs, nullptr, 16, 120.0, true);
    m_device.process(inputs, nullptr, 16, 120.0, true);
    m_device.process(inputs, nullptr, 16, 90.0, false);
    EXPECT_EQ(tempo.m_values, std::vector<double>{120.0});
    EXPECT_DOUBLE_EQ(m_device.get_tempo(), 120.0);
    EXPECT_EQ(first_position.m_values, std::vector<double>(3, 12.5));

    // The last listener moves into the place of the one that leaves.
    m_device.disconnect_listener(&first_position);
    EXPECT_EQ(second_position.m_device_position, 0);
    m_device.process(inputs, nullptr, 16, 0.0, false);
    EXPECT_EQ(first_position.m_values.size(), 3u);
    EXPECT_EQ(second_position.m_values.size(), 4u);
    m_device.m_host = nullptr;
}
