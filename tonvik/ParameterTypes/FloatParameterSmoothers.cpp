#include "tonvik/ParameterTypes/FloatParameterSmoothers.h"

#include "bex/Core/Exception.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Modulation/ParameterSmoother_Normalized.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/Units.h"

#include <algorithm>
#include <cmath>

namespace Tonvik
{

namespace
{

void fill_linear_steps(ParameterSmoother& a_smoother)
{
    const float d = std::fabs(a_smoother.m_parameter->m_internal_span) *
                    a_smoother.m_device->get_smoothing_coefficient();
    for (uint32_t i = 0; i < 16; ++i)
        a_smoother.m_steps[i] = float(i + 1) * d;
}

// Falling intervals have a ratio below 1; the factor is always taken at or above 1.
void fill_exponential_steps(ParameterSmoother& a_smoother)
{
    float ratio = a_smoother.m_parameter->m_internal_ratio;
    if (ratio < 1.0f)
        ratio = 1.0f / ratio;
    const float f = powf(ratio, a_smoother.m_device->get_smoothing_coefficient());
    a_smoother.m_steps[0] = f;
    for (uint32_t i = 1; i < 16; ++i)
        a_smoother.m_steps[i] = f * a_smoother.m_steps[i - 1];
}

inline float additive_step(float a_current, float a_step, float a_target)
{
    return std::min(a_current + a_step, std::max(a_current - a_step, a_target));
}

inline float multiplicative_step(float a_current, float a_step, float a_target)
{
    return std::min(a_current * a_step, std::max(a_current / a_step, a_target));
}

} // namespace

void ParameterSmoother_InternalLinear1::process(uint32_t a_samples)
{
    const float target = m_parameter->m_internal_value;
    const float value = additive_step(m_current, m_steps[a_samples - 1], target);
    m_current = value;
    *m_parameter->m_output = value;
    m_settled = value == target;
}

void ParameterSmoother_InternalLinear1::update_rate()
{
    fill_linear_steps(*this);
}

void ParameterSmoother_InternalLinear1::reset()
{
    m_current = m_parameter->m_internal_value;
}

void ParameterSmoother_InternalLinearN::process(uint32_t a_samples)
{
    const float target = m_parameter->m_internal_value;
    const float current = m_current;
    float* output = m_parameter->m_output;
    for (uint32_t i = 0; i < 16; ++i)
        output[i] = additive_step(current, m_steps[i], target);
    m_current = output[a_samples - 1];
    m_settled = output[0] == target;
}

void ParameterSmoother_InternalLinearN::update_rate()
{
    fill_linear_steps(*this);
}

void ParameterSmoother_InternalLinearN::reset()
{
    m_current = m_parameter->m_internal_value;
}

void ParameterSmoother_InternalExponential1::process(uint32_t a_samples)
{
    const float target = m_parameter->m_internal_value;
    const float value = multiplicative_step(m_current, m_steps[a_samples - 1], target);
    m_current = value;
    *m_parameter->m_output = value;
    m_settled = value == target;
}

void ParameterSmoother_InternalExponential1::update_rate()
{
    fill_exponential_steps(*this);
}

void ParameterSmoother_InternalExponential1::reset()
{
    m_current = m_parameter->m_internal_value;
}

void ParameterSmoother_InternalExponentialN::process(uint32_t a_samples)
{
    const float target = m_parameter->m_internal_value;
    const float current = m_current;
    float* output = m_parameter->m_output;
    for (uint32_t i = 0; i < 16; ++i)
        output[i] = multiplicative_step(current, m_steps[i], target);
    m_current = output[a_samples - 1];
    m_settled = output[0] == target;
}

void ParameterSmoother_InternalExponentialN::update_rate()
{
    fill_exponential_steps(*this);
}

void ParameterSmoother_InternalExponentialN::reset()
{
    m_current = m_parameter->m_internal_value;
}

ParameterSmoother* FloatParameter::create_smoother()
{
    if (!m_smoothable)
        return nullptr;
    if (m_vector_size != 1 && m_vector_size != 16)
        throw Bex::Exception(Bex::String(u"Invalid vector size for smoothable parameter."));
    // A modulated parameter glides its normalized value, the input of its modulation chain.
    if (m_modulated && m_normalized_output)
        return new ParameterSmoother_Normalized(m_device, this);
    // Without an output there is nothing to glide.
    if (!m_output)
        return nullptr;
    // A multiplicative glide needs both ends positive; otherwise it glides additively.
    const bool exponential =
        (get_unit_info(m_external_unit).m_additive || m_exponential) && m_internal_ratio > 0.0f;
    if (exponential)
    {
        if (m_vector_size == 16)
            return new ParameterSmoother_InternalExponentialN(m_device, this);
        return new ParameterSmoother_InternalExponential1(m_device, this);
    }
    if (m_vector_size == 16)
        return new ParameterSmoother_InternalLinearN(m_device, this);
    return new ParameterSmoother_InternalLinear1(m_device, this);
}

} // namespace Tonvik
