#include "tonvik/Modulation/ParameterSmoother_Normalized.h"

#include "tonvik/Devices/Device.h"
#include "tonvik/ParameterTypes/FloatParameter.h"

#include <algorithm>

namespace Tonvik
{

void ParameterSmoother_Normalized::process(uint32_t a_samples)
{
    const float target = m_parameter->m_normalized_value;
    const float current = m_current;
    float* output = m_parameter->m_normalized_buffer;
    for (uint32_t i = 0; i < 16; ++i)
        output[i] = std::min(current + m_steps[i], std::max(current - m_steps[i], target));
    m_current = output[a_samples - 1];
    m_settled = output[0] == target;
}

void ParameterSmoother_Normalized::update_rate()
{
    const float c = m_device->get_smoothing_coefficient();
    for (uint32_t i = 0; i < 16; ++i)
        m_steps[i] = float(i + 1) * c;
}

void ParameterSmoother_Normalized::reset()
{
    m_current = m_parameter->m_normalized_value;
}

} // namespace Tonvik
