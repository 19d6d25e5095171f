// Chunks with modulation, built inside this program, handed to the plug-in loaded from the
// library and inspected through its dispatcher only.
#include "InProcessChorus.h"
#include "PluginTestSupport.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using plugin_test::InProcessChorus;
using quorlin::PluginHost;

namespace
{

std::vector<std::string> all_displays(PluginHost& a_host)
{
    std::vector<std::string> displays;
    for (int32_t i = 0; i < a_host.get_parameter_count(); ++i)
        displays.push_back(a_host.get_parameter_display(i));
    return displays;
}

std::vector<float> render_ones(PluginHost& a_host, size_t a_frames)
{
    const std::vector<float> ones(a_frames, 1.0f);
    std::vector<float> left;
    std::vector<float> right;
    a_host.render(ones, ones, left, right, [] { return 64; });
    return left;
}

} // namespace

TEST(PluginModulation, AnAssignedSlotKeepsItsNameAndReportsTheAssignedParameter)
{
    InProcessChorus source;
    Tonvik::LfoModulator* lfo = source.add_lfo({"PiM1", "PiM2"});
    Tonvik::Parameter_Modifier* frequency = lfo->get_frequency_factor_parameter();
    frequency->set_external_value(4.0f);
    source.effect().get_assignable_slots()->assign(0, frequency);
    source.settle();
    const std::string assigned_display = InProcessChorus::host_display(frequency);
    const float assigned_value = frequency->get_normalized_value();

    PluginHost host(plugin_test::plugin_path());
    const std::string placeholder_display = host.get_parameter_display(0);
    ASSERT_NE(assigned_display, placeholder_display);
    ASSERT_EQ(host.set_chunk(source.chunk()), 0);
    EXPECT_EQ(host.get_parameter_name(0), "Assignable 1");
    EXPECT_EQ(host.get_parameter_display(0), assigned_display);
    EXPECT_EQ(host.get_parameter(0), assigned_value);
    EXPECT_EQ(host.get_parameter_name(1), "Assignable 2");
    EXPECT_EQ(host.get_parameter_display(1), placeholder_display);

    // The host's value goes to the LFO's parameter and into the plug-in's own chunk.
    const float changed = assigned_value > 0.5f ? 0.2f : 0.8f;
    host.set_parameter(0, changed);
    render_ones(host, 64);
    frequency->set_normalized_value_from_host(changed);
    source.settle();
    EXPECT_EQ(host.get_parameter(0), changed);
    EXPECT_EQ(host.get_parameter_display(0), InProcessChorus::host_display(frequency));
    EXPECT_NE(host.get_parameter_display(0), assigned_display);

    const std::vector<uint8_t> changed_chunk = host.get_chunk();
    PluginHost reloaded(plugin_test::plugin_path());
    ASSERT_EQ(reloaded.set_chunk(changed_chunk), 0);
    EXPECT_EQ(reloaded.get_parameter_name(0), "Assignable 1");
    EXPECT_EQ(reloaded.get_parameter(0), changed);
    EXPECT_EQ(reloaded.get_parameter_display(0), host.get_parameter_display(0));

    // Read back here, the chunk still has the LFO's own parameter behind the slot.
    InProcessChorus reader;
    ASSERT_TRUE(reader.effect().load_host_chunk(changed_chunk.data(), changed_chunk.size()));
    ASSERT_EQ(reader.effect().get_modulation()->get_modulator_count(), 1u);
    auto* loaded =
        static_cast<Tonvik::LfoModulator*>(reader.effect().get_modulation()->get_modulator(0));
    EXPECT_EQ(reader.effect().get_assignable_slots()->get_assigned(0),
              loaded->get_frequency_factor_parameter());
    EXPECT_EQ(loaded->get_frequency_factor_parameter()->get_normalized_value(), changed);
    EXPECT_EQ(loaded->get_entries().size(), 2u);
}

TEST(PluginModulation, AChunkFromAnotherInstanceCarriesModulationAndInstanceSettings)
{
    InProcessChorus source;
    Tonvik::LfoModulator* lfo = source.add_lfo({"PiM1", "Del2", "PiM4"});
    lfo->get_pwm_parameter()->set_external_value(0.25f);
    source.effect().get_assignable_slots()->assign(0, lfo->get_frequency_factor_parameter());
    source.effect().get_assignable_slots()->assign(5, lfo->get_pwm_parameter());
    source.add_lfo({"PiM3"});
    // No gliding of host changes, with the wet path shut so that a change of Dry shows at once.
    Tonvik::DeviceInstanceSettings* settings = source.effect().get_instance_settings();
    auto* smoothing = settings->m_smoothing_reason_parameter;
    smoothing->set_normalized_value_from_host(smoothing->find_option(4)->m_normalized_value);
    source.set_from_host("Wet ", 0.0f);
    ASSERT_EQ(settings->m_smoothing_reason, Tonvik::ParameterSmoothingReason_NONE);

    PluginHost first(plugin_test::plugin_path());
    ASSERT_EQ(first.set_chunk(source.chunk()), 0);
    const std::vector<uint8_t> chunk = first.get_chunk();

    PluginHost second(plugin_test::plugin_path());
    const std::vector<std::string> fresh_displays = all_displays(second);
    ASSERT_EQ(second.set_chunk(chunk), 0);
    EXPECT_EQ(second.get_chunk(), chunk);
    const std::vector<std::string> displays = all_displays(second);
    EXPECT_EQ(displays, all_displays(first));
    EXPECT_NE(displays, fresh_displays);
    EXPECT_EQ(displays[0], InProcessChorus::host_display(lfo->get_frequency_factor_parameter()));
    EXPECT_EQ(displays[5], InProcessChorus::host_display(lfo->get_pwm_parameter()));
    for (int32_t i = 0; i < second.get_parameter_count(); ++i)
        EXPECT_EQ(second.get_parameter(i), first.get_parameter(i)) << i;

    // The instance setting arrived: Dry jumps.
    second.set_parameter(22, 1.0f);
    const std::vector<float> jumped = render_ones(second, 64);
    EXPECT_FLOAT_EQ(jumped.front(), 1.0f);
    EXPECT_FLOAT_EQ(jumped.back(), 1.0f);

    // The same state with the default setting glides.
    smoothing->set_normalized_value_from_host(smoothing->find_option(1)->m_normalized_value);
    source.settle();
    PluginHost gliding(plugin_test::plugin_path());
    ASSERT_EQ(gliding.set_chunk(source.chunk()), 0);
    gliding.set_parameter(22, 1.0f);
    const std::vector<float> glided = render_ones(gliding, 64);
    EXPECT_LT(glided.back(), 0.9f);
}
