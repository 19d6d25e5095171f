#include "../TestSupport.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/Units.h"

#include <cmath>

using namespace Tonvik;
using Bex::make_id;

namespace
{

class FloatParameterTest : public TonvikTest::DeviceFixture
{
protected:
    FloatParameter* add_float(uint32_t a_id, uint32_t a_external, uint32_t a_internal,
                              float a_start, float a_end, float a_default, bool a_exponential)
    {
        FloatParameter* parameter = add(new FloatParameter(), a_id);
        FloatParameterVariation* variation = parameter->set_units(a_external, a_internal);
        variation->m_external_interval_start = a_start;
        variation->m_external_interval_end = a_end;
        variation->m_external_default_value = a_default;
        variation->m_exponential = a_exponential ? 1 : 0;
        return parameter;
    }

    // "Parameter smoothness" of the device settings.
    FloatParameter* add_smoothness()
    {
        FloatParameter* parameter = add_float(make_id("PaSs"), Unit_MILLISECONDS,
                                              Unit_INVERTED_FRAMES, 1.0f, 10000.0f, 50.0f, true);
        parameter->set_format(u"%.4f");
        parameter->m_smoothable = false;
        parameter->m_deferred_commit = false;
        return parameter;
    }

    FloatParameter* add_gain()
    {
        return add_float(make_id("GlGa"), Unit_DECIBELS, Unit_AMPLITUDE_RATIO, -20.0f, 20.0f, 0.0f,
                         false);
    }
};

} // namespace

TEST_F(FloatParameterTest, SmoothnessAtHalfIsHundredMillisecondsInBothPrecisions)
{
    FloatParameter* smoothness = add_smoothness();
    initialize();
    m_device.set_sample_rate(48000.0f);
    EXPECT_FLOAT_EQ(smoothness->get_internal_value(), 1.0f / 2400.0f);

    smoothness->set_normalized_value(0.5f);
    EXPECT_FLOAT_EQ(smoothness->get_external_value(), 100.0f);
    EXPECT_FLOAT_EQ(smoothness->get_internal_value(), 1.0f / 4800.0f);

    m_device.set_exponential_precision(ExponentialPrecision_APPROXIMATE);
    smoothness->set_normalized_value(0.5f);
    EXPECT_NEAR(smoothness->get_external_value(), 100.0f, 0.01f);
    smoothness->set_normalized_value(1.0f);
    EXPECT_LE(smoothness->get_external_value(), 10000.0f);
    smoothness->set_external_value(100.0f);
    EXPECT_NEAR(smoothness->get_normalized_value(), 0.5f, 1e-4f);
}

TEST_F(FloatParameterTest, DecibelsToAmplitudeInBothPrecisions)
{
    FloatParameter* gain = add_gain();
    initialize();
    EXPECT_EQ(gain->get_internal_value(), 1.0f);
    EXPECT_FLOAT_EQ(gain->get_normalized_value(), 0.5f);
    gain->set_normalized_value(0.0f);
    EXPECT_EQ(gain->get_external_value(), -20.0f);
    EXPECT_EQ(gain->get_internal_value(), 0.1f);

    m_device.set_exponential_precision(ExponentialPrecision_APPROXIMATE);
    EXPECT_EQ(gain->to_internal(0.0f), 1.0f);
    EXPECT_NEAR(gain->to_internal(-20.0f), 0.1f, 1e-5f);
    EXPECT_NEAR(gain->to_internal(20.0f), 10.0f, 1e-4f);
}

TEST_F(FloatParameterTest, FallingIntervalMapsBothEnds)
{
    FloatParameter* pan =
        add_float(make_id("Pan "), Unit_NONE, Unit_NONE, 1.0f, -1.0f, 0.0f, false);
    initialize();
    EXPECT_EQ(pan->m_min, -1.0f);
    EXPECT_EQ(pan->m_max, 1.0f);
    pan->set_normalized_value(0.0f);
    EXPECT_EQ(pan->get_external_value(), 1.0f);
    pan->set_normalized_value(1.0f);
    EXPECT_EQ(pan->get_external_value(), -1.0f);
    pan->set_external_value(5.0f);
    EXPECT_EQ(pan->get_external_value(), 1.0f);
    EXPECT_EQ(pan->get_normalized_value(), 0.0f);
}

TEST_F(FloatParameterTest, LoadClampsToTheIntervalAndRefusesNonFiniteValues)
{
    FloatParameter* gain = add_gain();
    initialize();
    Bex::BiniNode node;
    node.add_child(make_id("Valu")).set_value_float(30.0f);
    node.add_child(make_id("Norm")).set_value_float(1.0f);
    LoadReport report;
    EXPECT_TRUE(gain->load(node, report));
    EXPECT_EQ(gain->get_external_value(), 20.0f);
    EXPECT_FLOAT_EQ(gain->get_internal_value(), 10.0f);

    node.get_child(make_id("Valu")).set_value_float(NAN);
    EXPECT_FALSE(gain->load(node, report));
    EXPECT_EQ(gain->get_external_value(), 0.0f);
}

TEST_F(FloatParameterTest, DisplayAndModulationTexts)
{
    FloatParameter* gain = add_gain();
    FloatParameter* ratio =
        add_float(make_id("Rati"), Unit_NONE, Unit_NONE, 0.5f, 2.0f, 1.0f, true);
    FloatParameter* rate = add_float(make_id("Rate"), Unit_HERTZ, Unit_NORMALIZED_FREQUENCY, 100.0f,
                                     400.0f, 200.0f, true);
    initialize();
    gain->set_external_value(3.0f);
    Bex::String text;
    gain->get_display_text(text);
    EXPECT_EQ(text, u"3 db");
    ratio->get_display_text(text);
    EXPECT_EQ(text, u"1 ");
    gain->get_name_and_value(text);
    EXPECT_EQ(text, u": 3 db");

    EXPECT_EQ(gain->get_value_text(0.25f), u"-10 db");
    EXPECT_EQ(gain->get_amount_text(0.25f, 0), u"+-10 db");
    EXPECT_EQ(gain->get_amount_text(0.25f, -1), u"-10 db");
    EXPECT_EQ(ratio->get_value_text(0.5f), u"1 ");
    EXPECT_EQ(ratio->get_amount_text(0.5f, 1), u"*2 ");
    EXPECT_EQ(ratio->get_amount_text(0.5f, 0), u"*/2 ");
    EXPECT_EQ(rate->get_amount_text(0.5f, 1), u"+1200 cents");
    EXPECT_EQ(rate->get_amount_text(0.5f, 7), u"1200 cents");
}

TEST_F(FloatParameterTest, FormatsAreCheckedAndUsed)
{
    FloatParameter* smoothness = add_smoothness();
    EXPECT_EQ(TonvikTest::exception_text([&] { smoothness->set_format(u"%s"); }),
              u"is_single_float_format(narrow)");
    EXPECT_NE(TonvikTest::exception_text([&] { smoothness->set_format(u"%f %f"); }),
              u"<no exception>");
    initialize();
    std::string narrow;
    smoothness->get_plain_text(narrow);
    EXPECT_EQ(narrow, "50.0000");
    Bex::String wide;
    smoothness->get_plain_text(wide);
    EXPECT_EQ(wide, u"50.0000");
}

TEST_F(FloatParameterTest, DefinitionErrorsAreInternalErrors)
{
    FloatParameter* parameter = add(new FloatParameter(), make_id("Bad "));
    EXPECT_EQ(TonvikTest::exception_text([&] { parameter->set_units(Unit_HERTZ, Unit_FRAMES); }),
              u"i != Base::end()");
    parameter->append_float_variation(make_id("Var1"), u"one", Unit_NONE, 0.0f, 1.0f, 2.0f, 0,
                                      ConversionType_IDENTITY, EditorOrigin_START, true);
    EXPECT_NE(TonvikTest::exception_text([&] { initialize(); })
                  .find(u"variation->m_external_default_value <="),
              std::u16string::npos);
}

TEST_F(FloatParameterTest, VariationsSwitchDefinitionAndAreSaved)
{
    FloatParameter* time = add(new FloatParameter(), make_id("Time"));
    time->append_float_variation(make_id("Shrt"), u"short", Unit_MILLISECONDS, 0.0f, 10.0f, 5.0f, 0,
                                 ConversionType_MILLISECONDS_TO_FRAMES, EditorOrigin_START, false);
    time->append_float_variation(make_id("Long"), u"long", Unit_SECONDS, 1.0f, 100.0f, 10.0f, 1,
                                 ConversionType_SECONDS_TO_FRAMES, EditorOrigin_START, true);
    initialize();
    EXPECT_EQ(time->m_current_variation->m_id, make_id("Long"));
    EXPECT_FLOAT_EQ(time->get_normalized_value(), 0.5f);
    EXPECT_FLOAT_EQ(time->get_internal_value(), 10000.0f);

    Bex::BiniNode saved;
    m_collection->save(saved);
    Bex::BiniNode& node = saved.get_child(1).get_child(make_id("Time"));
    EXPECT_EQ(node.get_child(make_id("Vari")).get_value_uint32(), make_id("Long"));

    node.get_child(make_id("Vari")).set_value_uint32(make_id("Shrt"));
    node.get_child(make_id("Valu")).set_value_float(2.0f);
    node.get_child(make_id("Norm")).set_value_float(0.2f);
    LoadReport report;
    report.m_device_version = 1;
    m_collection->load(saved, report);
    EXPECT_TRUE(report.get_problems().empty());
    EXPECT_EQ(time->m_current_variation->m_id, make_id("Shrt"));
    EXPECT_FLOAT_EQ(time->get_internal_value(), 2.0f);

    // Raising the rate moves the frames but not the milliseconds.
    m_device.set_sample_rate(2000.0f);
    EXPECT_FLOAT_EQ(time->get_external_value(), 2.0f);
    EXPECT_FLOAT_EQ(time->get_internal_value(), 4.0f);
}
