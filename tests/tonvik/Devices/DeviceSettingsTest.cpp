#include "../TestSupport.h"

#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"

using namespace Tonvik;

namespace
{

class DeviceSettingsTest : public ::testing::Test
{
protected:
    DeviceSettingsTest() { m_settings->initialize(&m_device); }
    ~DeviceSettingsTest() override { delete m_settings; }

    Bex::String text(Parameter* a_parameter)
    {
        Bex::String result;
        a_parameter->get_display_text(result);
        return result;
    }

    Device m_device;
    DeviceInstanceSettings* m_settings = new DeviceInstanceSettings();
};

} // namespace

TEST_F(DeviceSettingsTest, RetriggerTextsAndChannelValues)
{
    P_RetriggeringKeyIndex* key = m_settings->m_retrigger_key_parameters[0];
    EXPECT_EQ(text(key), u"C0");
    key->set_value(-2);
    EXPECT_EQ(text(key), u"None");
    key->set_value(-1);
    EXPECT_EQ(text(key), u"Any");
    key->set_value(69);
    EXPECT_EQ(text(key), u"A4");
    EXPECT_EQ(m_settings->m_retrigger_keys[0].load(), 69);

    P_RetriggeringKeyChannel* channel = m_settings->m_retrigger_channel_parameters[2];
    EXPECT_EQ(text(channel), u"Any");
    const P_GenericChoice_Option* sixteen = channel->get_options().back();
    EXPECT_EQ(sixteen->m_name, u"16");
    channel->set_normalized_value(sixteen->m_normalized_value);
    EXPECT_EQ(m_settings->m_retrigger_channels[2].load(), 15);

    P_RetriggerReason* reason = new P_RetriggerReason();
    int32_t sink = 0;
    reason->m_variable = &sink;
    reason->do_initialize();
    for (auto [value, expected] : {std::pair{-2, u"None"}, {-1, u"Any"}, {0, u"1"}, {7, u"8"}})
    {
        reason->m_value = value;
        EXPECT_EQ(text(reason), expected);
    }
    reason->destroy();
}

TEST_F(DeviceSettingsTest, NoteOnsMatchRetriggerKeysByChannelAndKey)
{
    m_settings->apply();
    // Defaults: every channel, keys 12 to 19.
    EXPECT_EQ(m_settings->match_retrigger_keys(3, 12), 1u);
    EXPECT_EQ(m_settings->match_retrigger_keys(0, 19), 0x80u);
    EXPECT_EQ(m_settings->match_retrigger_keys(3, 20), 0u);

    m_settings->m_retrigger_key_parameters[0]->set_value(-2);
    m_settings->m_retrigger_channel_parameters[1]->set_normalized_value(
        m_settings->m_retrigger_channel_parameters[1]->find_option(5)->m_normalized_value);
    m_settings->m_retrigger_key_parameters[1]->set_value(-1);
    // Key 1 is "None" on any channel; key 2 takes any key on channel 4 (value 3) only.
    EXPECT_EQ(m_settings->match_retrigger_keys(3, 12), 2u);
    EXPECT_EQ(m_settings->match_retrigger_keys(2, 12), 0u);
    EXPECT_EQ(m_settings->match_retrigger_keys(3, 127), 2u);
}
