#include "quorlinchorus/TheEffect.h"

#include "bex/Core/Exception.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Platform/MessageBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <vector>

namespace quorlinchorus
{
namespace
{

namespace fs = std::filesystem;

struct ShownBox
{
    Bex::String m_text;
    Bex::String m_caption;
};

std::vector<ShownBox> g_boxes;

void record_box(const Bex::String& a_text, const Bex::String& a_caption)
{
    g_boxes.push_back({a_text, a_caption});
}

// The build's last step fails once, after every parameter exists.
class FailingEffect : public TheEffect
{
public:
    void on_sample_rate_changed() override
    {
        if (m_fail)
        {
            m_fail = false;
            throw Bex::Exception(Bex::String(u"Voice table damaged: \u03A9"));
        }
        TheEffect::on_sample_rate_changed();
    }

    bool m_fail = true;
};

class TheEffectBuildFailureTest : public ::testing::Test
{
protected:
    TheEffectBuildFailureTest()
    {
        std::random_device random;
        m_folder = fs::temp_directory_path() / ("quorlin-build-" + std::to_string(random()));
        g_boxes.clear();
        m_previous_box = Tonvik::replace_message_box(&record_box);
    }
    ~TheEffectBuildFailureTest() override
    {
        Tonvik::replace_message_box(m_previous_box);
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    // Starts a_effect with one input and one output, so that the build's own counts show.
    void initialize(TheEffect& a_effect)
    {
        a_effect.m_static_config.m_user_folder =
            Bex::String::from_utf8((m_folder / "user").string());
        a_effect.m_static_config.m_common_folder =
            Bex::String::from_utf8((m_folder / "common").string());
        a_effect.m_input_count = 1;
        a_effect.m_output_count = 1;
        a_effect.initialize();
    }

    fs::path m_folder;
    Tonvik::MessageBoxFunction m_previous_box = nullptr;
};

TEST_F(TheEffectBuildFailureTest, ASuccessfulBuildSetsTwoByTwoAndShowsNothing)
{
    TheEffect effect;
    initialize(effect);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_EQ(effect.m_input_count, 2u);
    EXPECT_EQ(effect.m_output_count, 2u);
    effect.terminate();
}

// The error reaches the user and the channel counts stay as they were. The parameters made before
// the failure still select a processing kernel, and the device must still run it, even for a host
// that never sets a sample rate.
TEST_F(TheEffectBuildFailureTest, AFailedBuildShowsTheErrorAndKeepsTheEffectSafeToRun)
{
    FailingEffect effect;
    initialize(effect);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].m_caption, u"Error");
    EXPECT_EQ(g_boxes[0].m_text, u"Voice table damaged: \u03A9");
    EXPECT_EQ(effect.m_input_count, 1u);
    EXPECT_EQ(effect.m_output_count, 1u);
    ASSERT_NE(effect.get_engine().m_processing_kernel, nullptr);

    // With one output channel only the first one is written.
    std::vector<float> input(256, 0.5f);
    std::vector<float> output(256, NAN);
    const float* inputs[2] = {input.data(), input.data()};
    float* outputs[2] = {output.data(), output.data()};
    effect.process(inputs, outputs, 256, 120.0, true);
    for (size_t i = 0; i < output.size(); ++i)
        ASSERT_TRUE(std::isfinite(output[i])) << i;
    effect.terminate();
}

} // namespace
} // namespace quorlinchorus
