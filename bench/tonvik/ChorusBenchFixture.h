#pragma once

#include "quorlinchorus/TheEffect.h"

#include "bex/Core/Id.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterCollection.h"

#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

// An initialized chorus at 48 kHz with every voice enabled, noise as input and its folders in a
// temporary place; the device benchmarks share it.
class ChorusBenchFixture
{
public:
    static constexpr int32_t BlockSize = 256;

    ChorusBenchFixture() : m_in(BlockSize), m_left(BlockSize), m_right(BlockSize)
    {
        std::random_device random;
        m_folder =
            std::filesystem::temp_directory_path() / ("quorlin-bench-" + std::to_string(random()));
        m_effect.m_static_config.m_user_folder = Bex::String::from_utf8(m_folder.string());
        m_effect.m_static_config.m_common_folder = Bex::String::from_utf8(m_folder.string());
        m_effect.initialize();
        m_effect.set_sample_rate(48000.0f);
        for (char voice = '1'; voice <= '8'; ++voice)
            find(std::string("Ena") + voice)->set_normalized_value_from_host(1.0f);
        std::mt19937 generator(1);
        std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
        for (float& value : m_in)
            value = sample(generator);
        process();
    }
    ~ChorusBenchFixture()
    {
        m_effect.terminate();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    ChorusBenchFixture(const ChorusBenchFixture&) = delete;
    ChorusBenchFixture& operator=(const ChorusBenchFixture&) = delete;

    Tonvik::Parameter* find(const std::string& a_id)
    {
        return m_effect.get_program()->get_collection().find(Bex::make_id(a_id));
    }

    void process()
    {
        const float* inputs[2] = {m_in.data(), m_in.data()};
        float* outputs[2] = {m_left.data(), m_right.data()};
        m_effect.process(inputs, outputs, BlockSize, 120.0, true);
    }

    std::filesystem::path m_folder;
    quorlinchorus::TheEffect m_effect;
    std::vector<float> m_in;
    std::vector<float> m_left;
    std::vector<float> m_right;
};
