#include "bex/Signals/Signal.h"
#include "bex/Signals/ConnectionBlocker.h"
#include "bex/Signals/ConnectionHolder.h"
#include "bex/Signals/Trackable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

struct OnTick
{
    int value = 0;
};

struct Recorder
{
    std::string log;
    void on_tick(OnTick& a_event) { log += std::to_string(a_event.value); }
    void on_tick_b(OnTick&) { log += "b"; }
    void on_plain() { log += "p"; }
};

struct TrackedRecorder : Bex::Trackable, Recorder
{
};

// Counts live slots so tests can see when a slot is freed.
int g_live_slots = 0;

struct CountingSlot : Bex::Slot1<OnTick>
{
    CountingSlot() { ++g_live_slots; }
    ~CountingSlot() override { --g_live_slots; }
    void invoke(OnTick&) override { ++invocations; }
    int invocations = 0;
};

} // namespace

TEST(Signal, EmitsInConnectionOrderAndSkipsBlocked)
{
    Bex::Signal1<OnTick> signal;
    OnTick tick{7};
    signal.emit(tick); // no connections: nothing happens

    Recorder recorder;
    Bex::Connection* first = signal.connect(&recorder, &Recorder::on_tick);
    signal.connect(&recorder, &Recorder::on_tick_b);
    signal.connect(&recorder, &Recorder::on_plain);
    signal.emit(tick);
    EXPECT_EQ(recorder.log, "7bp");

    {
        Bex::ConnectionBlocker blocker(first);
        signal.emit(tick);
        EXPECT_EQ(recorder.log, "7bpbp");
    }
    signal.emit(tick);
    EXPECT_EQ(recorder.log, "7bpbp7bp");
}

TEST(Signal, DestroyedTrackableIsNoLongerReached)
{
    Bex::Signal1<OnTick> signal;
    auto subscriber = std::make_unique<TrackedRecorder>();
    Recorder other;
    signal.connect(subscriber.get(), &TrackedRecorder::on_tick);
    signal.connect(&other, &Recorder::on_tick);
    EXPECT_EQ(subscriber->get_connection_count(), 1u);
    subscriber.reset();
    EXPECT_EQ(signal.get_connection_count(), 1u);
    OnTick tick{3};
    signal.emit(tick);
    EXPECT_EQ(other.log, "3");
}

TEST(Signal, HeldConnectionOutlivesItsSignalAsABlockedShell)
{
    Bex::ConnectionHolder holder;
    g_live_slots = 0;
    Bex::Connection* connection = nullptr;
    {
        Bex::Signal1<OnTick> signal;
        connection = holder.add(signal.connect(new CountingSlot));
        EXPECT_EQ(connection->get_reference_counter(), 2u);
    }
    // The signal is gone: the connection is cut, blocked and has released its slot.
    EXPECT_TRUE(connection->is_disconnected());
    EXPECT_TRUE(connection->is_blocked());
    EXPECT_EQ(connection->get_signal(), nullptr);
    EXPECT_EQ(connection->get_reference_counter(), 1u);
    EXPECT_EQ(g_live_slots, 0);
    holder.disconnect_all(); // frees the shell (the sanitizer build checks for a leak)
    EXPECT_EQ(holder.get_count(), 0u);
}

TEST(Signal, SharedSlotIsFreedWithItsLastConnection)
{
    g_live_slots = 0;
    Bex::Signal1<OnTick> first;
    Bex::Signal1<OnTick> second;
    auto* slot = new CountingSlot;
    Bex::Connection* a = first.connect(slot);
    second.connect(slot);
    EXPECT_EQ(slot->get_reference_counter(), 2u);
    a->disconnect();
    EXPECT_EQ(g_live_slots, 1);
    OnTick tick;
    second.emit(tick);
    EXPECT_EQ(slot->invocations, 1);
    second.disconnect_all();
    EXPECT_EQ(g_live_slots, 0);
    EXPECT_EQ(second.get_connection_count(), 0u);
}

TEST(Signal, TrackableDyingWhileAHolderKeepsTheConnectionLeavesAShell)
{
    Bex::Signal1<OnTick> signal;
    Bex::ConnectionHolder holder;
    auto subscriber = std::make_unique<TrackedRecorder>();
    Bex::Connection* connection = holder.add(signal.connect(subscriber.get(), &Recorder::on_tick));
    subscriber.reset();
    // The holder still points at valid memory: the connection is a cut shell it owns.
    EXPECT_TRUE(connection->is_disconnected());
    EXPECT_EQ(connection->get_reference_counter(), 1u);
    EXPECT_EQ(signal.get_connection_count(), 0u);
    holder.disconnect_all();
}

namespace
{

struct SelfCutter
{
    Bex::Signal1<OnTick>* signal = nullptr;
    Bex::Connection* own = nullptr;
    Bex::Connection* later = nullptr;
    int calls = 0;
    void on_tick(OnTick&)
    {
        ++calls;
        own->disconnect();
        if (later)
        {
            later->disconnect();
            later = nullptr;
        }
    }
};

} // namespace

TEST(Signal, SlotsMayCutConnectionsDuringEmission)
{
    Bex::Signal1<OnTick> signal;
    SelfCutter cutter;
    Recorder recorder;
    cutter.own = signal.connect(&cutter, &SelfCutter::on_tick);
    cutter.later = signal.connect(&recorder, &Recorder::on_tick);
    Recorder last;
    signal.connect(&last, &Recorder::on_plain);
    OnTick tick{1};
    signal.emit(tick);
    signal.emit(tick);
    EXPECT_EQ(cutter.calls, 1);
    EXPECT_EQ(recorder.log, "");
    EXPECT_EQ(last.log, "pp");
    EXPECT_EQ(signal.get_connection_count(), 1u);
}

TEST(Signal, AssertionsNameTheirConditions)
{
    Bex::Signal1<OnTick> signal;
    TrackedRecorder subscriber;
    Bex::Connection* connection = signal.connect(&subscriber, &Recorder::on_tick);
    try
    {
        connection->set_trackable(&subscriber);
        FAIL();
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message(), u"!m_trackable");
    }
}
