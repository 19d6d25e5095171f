#include "../TestSupport.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/Devices/MusicalTriggerManager.h"
#include "tonvik/Devices/P_MusicalTrigger.h"

using namespace Tonvik;
using Bex::make_id;

namespace
{

class RecordingEndpoint : public MusicalTriggerEndpoint
{
public:
    explicit RecordingEndpoint(bool a_receiving) : MusicalTriggerEndpoint(a_receiving) {}
    void on_trigger_connected(MusicalTrigger*) override { m_log += "+"; }
    void on_trigger_disconnected(MusicalTrigger*) override { m_log += "-"; }
    std::string m_log;
};

struct SignalLog
{
    void connected(MusicalTriggerEvents::OnTriggerConnected&) { m_log += "c"; }
    void disconnected(MusicalTriggerEvents::OnTriggerDisconnected&) { m_log += "d"; }
    void user(MusicalUserTriggerEvent& a_event) { m_log += a_event.m_added ? "a" : "r"; }
    std::string m_log;
};

class MusicalTriggerTest : public ::testing::Test
{
protected:
    MusicalTriggerTest() : m_manager(*m_device.get_trigger_manager())
    {
        MusicalTriggerGroup* group = m_manager.get_root().add(new MusicalTriggerGroup(u"Notes"));
        m_beat = group->add(new MusicalTrigger(u"Beat", MusicalTriggerFamily_PREDEFINED, 7, 1));
        m_bar = m_manager.get_root().add(
            new MusicalTrigger(u"Bar", MusicalTriggerFamily_PREDEFINED, 9, 0));
        m_manager.p_collect_predefined_triggers(&m_manager.get_root());
        m_manager.m_on_trigger_connected.connect(&m_signals, &SignalLog::connected);
        m_manager.m_on_trigger_disconnected.connect(&m_signals, &SignalLog::disconnected);
        m_manager.m_on_user_trigger.connect(&m_signals, &SignalLog::user);
    }

    Device m_device;
    MusicalTriggerManager& m_manager;
    MusicalTrigger* m_beat;
    MusicalTrigger* m_bar;
    SignalLog m_signals;
};

void receive(void* a_count, MusicalTrigger*)
{
    ++*static_cast<int*>(a_count);
}

} // namespace

TEST_F(MusicalTriggerTest, PredefinedTriggersAreFoundByIdAndStandardId)
{
    EXPECT_EQ(m_manager.find_predefined(7), m_beat);
    EXPECT_EQ(m_manager.find_predefined(8), nullptr);
    EXPECT_EQ(m_manager.get_standard(1), m_beat);
    EXPECT_EQ(m_bar->m_index, 1u);
    m_manager.get_root().add(new MusicalTrigger(u"Again", MusicalTriggerFamily_PREDEFINED, 7, 0));
    EXPECT_EQ(TonvikTest::exception_text(
                  [&] { m_manager.p_collect_predefined_triggers(&m_manager.get_root()); }),
              u"!m_predefined_trigger_map.has_key(s->m_id)");
}

TEST_F(MusicalTriggerTest, ConnectingTwiceKeepsOneConnectionAndOneSignal)
{
    RecordingEndpoint endpoint(false);
    m_manager.connect(m_beat, &endpoint);
    m_manager.connect(m_beat, &endpoint);
    EXPECT_EQ(endpoint.get_triggers().size(), 1u);
    EXPECT_EQ(m_beat->m_endpoints[MusicalTrigger::EndpointList_REFERRING].size(), 1u);
    EXPECT_TRUE(m_beat->m_referred);
    EXPECT_EQ(m_signals.m_log, "c");
    EXPECT_EQ(endpoint.m_log, "+");

    m_manager.disconnect(m_beat, &endpoint);
    m_manager.disconnect(m_beat, &endpoint);
    EXPECT_TRUE(endpoint.get_triggers().empty());
    EXPECT_FALSE(m_beat->m_referred);
    EXPECT_EQ(m_signals.m_log, "cd");
    EXPECT_EQ(endpoint.m_log, "+-");
}

TEST_F(MusicalTriggerTest, RemovingAUserTriggerDisconnectsAndRenumbers)
{
    MusicalTrigger* first = m_manager.add_user_trigger(u"First");
    MusicalTrigger* second = m_manager.add_user_trigger(u"Second");
    RecordingEndpoint a(true);
    RecordingEndpoint b(false);
    m_manager.connect(first, &a);
    m_manager.connect(first, &b);
    m_manager.connect(second, &a);
    m_manager.remove_user_trigger(first);
    EXPECT_EQ(m_signals.m_log, "aacccddr");
    EXPECT_EQ(m_manager.get_user_trigger_count(), 1u);
    EXPECT_EQ(second->m_index, 0u);
    EXPECT_EQ(a.get_triggers().size(), 1u);
    EXPECT_TRUE(b.get_triggers().empty());
}

TEST_F(MusicalTriggerTest, TriggerParametersSaveAndLoadTheirConnections)
{
    int received = 0;
    auto* sender = new P_ReceivedMusicalTrigger(&m_manager, false, &receive, &received);
    auto* single = new P_ReceivedMusicalTrigger(&m_manager, true, &receive, &received);
    MusicalTrigger* user = m_manager.add_user_trigger(u"Mine");
    m_manager.connect(m_bar, sender);
    m_manager.connect(user, sender);
    m_manager.fire(m_bar);
    EXPECT_EQ(received, 1);

    Bex::BiniNode outer;
    Bex::BiniNode& saved = outer.add_child(make_id("Valu"));
    sender->do_save(saved);
    EXPECT_EQ(saved.get_child(make_id("Coun")).get_value_uint32(), 2u);
    EXPECT_EQ(saved.get_child(2).get_child(make_id("Fami")).get_value_uint32(), 117u);

    m_manager.disconnect_endpoint(sender);
    LoadReport report;
    EXPECT_TRUE(sender->do_load(saved, report));
    EXPECT_EQ(sender->get_triggers().size(), 2u);
    EXPECT_EQ(sender->get_triggers()[1], user);

    // A single-trigger parameter takes at most one.
    EXPECT_FALSE(single->load(outer, report));
    EXPECT_TRUE(report.has_problem(u"Invalid trigger count"));

    // An unknown family fails; a missing trigger ends the load with the earlier ones kept.
    Bex::BiniNode broken;
    broken.add_child(make_id("Coun")).set_value_uint32(2);
    Bex::BiniNode& first = broken.add_child(1);
    first.add_child(make_id("Fami")).set_value_uint32(112);
    first.add_child(make_id("PrId")).set_value_uint32(7);
    Bex::BiniNode& second = broken.add_child(2);
    second.add_child(make_id("Fami")).set_value_uint32(117);
    second.add_child(make_id("UsIn")).set_value_uint32(5);
    EXPECT_FALSE(sender->do_load(broken, report));
    ASSERT_EQ(sender->get_triggers().size(), 1u);
    EXPECT_EQ(sender->get_triggers()[0], m_beat);
    second.get_child(make_id("Fami")).set_value_uint32(3);
    EXPECT_EQ(TonvikTest::exception_text([&] { sender->do_load(broken, report); }),
              u"Invalid trigger family.");

    sender->destroy();
    single->destroy();
    EXPECT_TRUE(m_beat->m_endpoints[MusicalTrigger::EndpointList_RECEIVING].empty());
}
