#include "tonvik/ParameterTypes/FloatParameter.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Assert.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/ParameterTypes/FastMath.h"
#include "tonvik/ParameterTypes/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Tonvik
{

namespace
{

FloatParameter* as_float(Parameter* a_parameter)
{
    return static_cast<FloatParameter*>(a_parameter);
}

float sample_rate_of(const FloatParameter* a_parameter)
{
    return a_parameter->m_device ? a_parameter->m_device->get_sample_rate() : 1000.0f;
}

void p_set_internal(FloatParameter* a_parameter)
{
    a_parameter->m_internal_value =
        a_parameter->m_to_internal(a_parameter->m_external_value, sample_rate_of(a_parameter));
}

void denormalize_linear(Parameter* a_parameter)
{
    FloatParameter* p = as_float(a_parameter);
    p->m_external_value = p->m_span * p->m_normalized_value + p->m_start;
    p_set_internal(p);
}

void denormalize_exact(Parameter* a_parameter)
{
    FloatParameter* p = as_float(a_parameter);
    p->m_external_value = powf(p->m_ratio, p->m_normalized_value) * p->m_start;
    p_set_internal(p);
}

void denormalize_approximate(Parameter* a_parameter)
{
    FloatParameter* p = as_float(a_parameter);
    const float external = fastpow2(p->m_log2_ratio * p->m_normalized_value) * p->m_start;
    p->m_external_value = std::clamp(external, p->m_min, p->m_max);
    p_set_internal(p);
}

void normalize_linear(Parameter* a_parameter)
{
    FloatParameter* p = as_float(a_parameter);
    p->m_normalized_value = (p->m_external_value - p->m_start) / p->m_span;
}

void normalize_exact(Parameter* a_parameter)
{
    FloatParameter* p = as_float(a_parameter);
    p->m_normalized_value = logf(p->m_external_value / p->m_start) * p->m_inverse_log_ratio;
}

void normalize_approximate(Parameter* a_parameter)
{
    FloatParameter* p = as_float(a_parameter);
    const float normalized = fastlog2(p->m_external_value / p->m_start) / p->m_log2_ratio;
    p->m_normalized_value = std::clamp(normalized, 0.0f, 1.0f);
}

float normalize_pure_linear(const FloatParameter* a_parameter, float a_external)
{
    return (a_external - a_parameter->m_start) / a_parameter->m_span;
}

float normalize_pure_exponential(const FloatParameter* a_parameter, float a_external)
{
    return logf(a_external / a_parameter->m_start) * a_parameter->m_inverse_log_ratio;
}

// One conversion of a float and nothing else, so a format can never read a missing argument.
bool is_single_float_format(const std::string& a_format)
{
    uint32_t conversions = 0;
    for (size_t i = 0; i < a_format.size(); ++i)
    {
        if (a_format[i] != '%')
            continue;
        ++i;
        if (i < a_format.size() && a_format[i] == '%')
            continue;
        while (i < a_format.size() &&
               std::string_view("-+ #0").find(a_format[i]) != std::string::npos)
            ++i;
        while (i < a_format.size() && a_format[i] >= '0' && a_format[i] <= '9')
            ++i;
        if (i < a_format.size() && a_format[i] == '.')
        {
            ++i;
            while (i < a_format.size() && a_format[i] >= '0' && a_format[i] <= '9')
                ++i;
        }
        if (i >= a_format.size() ||
            std::string_view("eEfFgGaA").find(a_format[i]) == std::string::npos)
            return false;
        ++conversions;
    }
    return conversions == 1;
}

std::string format_number(const char* a_format, float a_value)
{
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof(buffer), a_format, double(a_value));
    if (length < 0)
        return std::string();
    return std::string(buffer, std::min<size_t>(size_t(length), sizeof(buffer) - 1));
}

Bex::String number_text(float a_value)
{
    return Bex::String::from_ascii(format_number("%g", a_value));
}

Bex::String value_with_unit(float a_value, uint32_t a_unit)
{
    return Bex::format_message(u"@1 @2",
                               {number_text(a_value), get_unit_info(a_unit).m_abbreviation});
}

} // namespace

FloatParameter::FloatParameter()
    : m_to_internal(get_identity_conversion_function()),
      m_to_external(get_identity_conversion_function()), m_normalize_pure(&normalize_pure_linear)
{
    m_normalizable = true;
}

FloatParameterVariation* FloatParameter::append_float_variation(
    uint32_t a_id, const Bex::String& a_name, uint32_t a_external_unit, float a_start, float a_end,
    float a_default, uint32_t a_exponential, uint32_t a_conversion_type, uint32_t a_editor_origin,
    bool a_make_default)
{
    FloatParameterVariation* variation = new FloatParameterVariation(a_id, a_name);
    variation->m_external_unit = a_external_unit;
    variation->m_external_interval_start = a_start;
    variation->m_external_interval_end = a_end;
    variation->m_external_default_value = a_default;
    variation->m_exponential = a_exponential;
    variation->m_conversion_type = a_conversion_type;
    variation->m_editor_origin = a_editor_origin;
    variation->m_modulation_word = 1;
    try
    {
        append_variation(variation, a_make_default);
    }
    catch (...)
    {
        delete variation;
        throw;
    }
    return variation;
}

FloatParameterVariation* FloatParameter::set_units(uint32_t a_external_unit,
                                                   uint32_t a_internal_unit)
{
    const uint32_t conversion_type = find_conversion_type(a_external_unit, a_internal_unit);
    if (!m_auto_variation)
    {
        FloatParameterVariation* variation =
            new FloatParameterVariation(Bex::make_id("Auto"), Bex::String());
        variation->m_modulation_word = 1;
        variation->m_editor_origin = EditorOrigin_START;
        try
        {
            append_variation(variation, false);
        }
        catch (...)
        {
            delete variation;
            throw;
        }
        m_auto_variation = variation;
    }
    m_auto_variation->m_external_unit = a_external_unit;
    m_auto_variation->m_conversion_type = conversion_type;
    return m_auto_variation;
}

void FloatParameter::set_format(const Bex::String& a_format)
{
    std::string narrow = a_format.to_utf8();
    BEX_ASSERT(is_single_float_format(narrow));
    m_format = a_format;
    m_format_narrow = std::move(narrow);
}

void FloatParameter::set_output(float* a_output)
{
    m_vector_size = 16;
    m_output = a_output;
    m_modulatable = true;
    m_persistent = false;
    m_host_visible = false;
}

void FloatParameter::do_initialize()
{
    for (ParameterVariation* base : m_variations)
    {
        const FloatParameterVariation* variation = static_cast<FloatParameterVariation*>(base);
        BEX_ASSERT(
            variation->m_external_default_value >=
            std::min(variation->m_external_interval_start, variation->m_external_interval_end));
        BEX_ASSERT(
            variation->m_external_default_value <=
            std::max(variation->m_external_interval_start, variation->m_external_interval_end));
    }
    if (m_modulatable)
        m_normalized_output = m_normalized_buffer;
}

void FloatParameter::do_commit()
{
    if (m_output)
    {
        const float value = m_internal_value;
        for (uint32_t i = 0; i < m_vector_size; ++i)
            m_output[i] = value;
    }
    if (m_normalized_output)
    {
        const float value = m_normalized_value;
        for (uint32_t i = 0; i < 16; ++i)
            m_normalized_output[i] = value;
    }
}

bool FloatParameter::do_load(const Bex::BiniNode& a_node, LoadReport& a_report)
{
    const float value = a_node.get_value_float();
    if (!std::isfinite(value))
    {
        a_report.add_problem(Bex::String(u"Invalid value."));
        return false;
    }
    m_external_value = std::clamp(value, m_min, m_max);
    p_set_internal(this);
    m_normalize(this);
    return true;
}

void FloatParameter::do_reset()
{
    m_external_value = m_default;
    p_set_internal(this);
    m_normalize(this);
}

void FloatParameter::do_save(Bex::BiniNode& a_node)
{
    a_node.set_value_float(m_external_value);
}

void FloatParameter::do_use_variation()
{
    const FloatParameterVariation* variation =
        static_cast<FloatParameterVariation*>(m_current_variation);
    m_conversion_type = variation->m_conversion_type;
    m_default = variation->m_external_default_value;
    m_exponential = variation->m_exponential;
    m_end = variation->m_external_interval_end;
    m_start = variation->m_external_interval_start;
    m_max = std::max(m_start, m_end);
    m_min = std::min(m_start, m_end);
    m_external_unit = variation->m_external_unit;
    m_modulation_word = variation->m_modulation_word;
    do_update_precision();
    if (m_exponential)
    {
        m_ratio = m_end / m_start;
        m_log2_ratio = log2f(m_ratio);
        m_inverse_log_ratio = 1.0f / logf(m_ratio);
    }
    else
    {
        m_span = m_end - m_start;
    }
    p_update_smoothing_bounds();
    if (m_smoothable)
        rebuild_smoother();
}

void FloatParameter::do_copy_value(const Parameter& a_other)
{
    const FloatParameter& other = static_cast<const FloatParameter&>(a_other);
    m_external_value = other.m_external_value;
    m_internal_value = other.m_internal_value;
}

void FloatParameter::do_update_precision()
{
    const ExponentialPrecision precision =
        m_device ? m_device->get_exponential_precision() : ExponentialPrecision_EXACT;
    if (m_exponential)
    {
        const bool approximate = precision == ExponentialPrecision_APPROXIMATE;
        m_denormalize = approximate ? &denormalize_approximate : &denormalize_exact;
        m_normalize = approximate ? &normalize_approximate : &normalize_exact;
        m_normalize_pure = &normalize_pure_exponential;
    }
    else
    {
        m_denormalize = &denormalize_linear;
        m_normalize = &normalize_linear;
        m_normalize_pure = &normalize_pure_linear;
    }
    m_to_internal = get_conversion_function(m_conversion_type, precision);
    m_to_external = get_inverse_conversion_function(m_conversion_type);
}

void FloatParameter::do_update_sample_rate()
{
    p_set_internal(this);
    p_update_smoothing_bounds();
}

void FloatParameter::set_external_value(float a_value)
{
    EditGesture gesture(this);
    bool changed;
    {
        ParameterLock lock(this);
        const float value = std::clamp(a_value, m_min, m_max);
        changed = value != m_external_value;
        if (changed)
        {
            m_external_value = value;
            p_set_internal(this);
            m_normalize(this);
        }
    }
    if (changed)
        p_after_user_store();
}

void FloatParameter::get_plain_text(Bex::String& a_text)
{
    a_text = Bex::String::from_utf8(format_number(m_format_narrow.c_str(), m_external_value));
}

void FloatParameter::get_plain_text(std::string& a_text)
{
    a_text = format_number(m_format_narrow.c_str(), m_external_value);
}

void FloatParameter::get_display_text(Bex::String& a_text)
{
    a_text = value_with_unit(m_external_value, m_external_unit);
}

Bex::String FloatParameter::get_value_text(float a_normalized) const
{
    return value_with_unit(p_denormalize_pure(a_normalized), m_external_unit);
}

Bex::String FloatParameter::get_amount_text(float a_amount, int a_sign_style) const
{
    float amount;
    uint32_t unit;
    if (!m_exponential)
    {
        amount = a_amount * (m_end - m_start);
        unit = m_external_unit;
    }
    else if (m_external_unit == Unit_HERTZ)
    {
        amount = 1200.0f * logf(powf(m_ratio, a_amount)) / 0.693147180559945309f;
        unit = Unit_CENTS;
    }
    else
    {
        amount = powf(m_ratio, a_amount);
        unit = Unit_NONE;
    }
    const bool additive = !m_exponential || get_unit_info(unit).m_additive;
    const char16_t* prefix = u"";
    if (a_sign_style == -1)
        prefix = additive ? u"-" : u"/";
    else if (a_sign_style == 0)
        prefix = additive ? u"+-" : u"*/";
    else if (a_sign_style == 1)
        prefix = additive ? u"+" : u"*";
    return Bex::format_message(
        u"@1@2 @3", {Bex::String(prefix), number_text(amount), get_unit_info(unit).m_abbreviation});
}

void FloatParameter::on_definition_changed()
{
    do_commit();
    rebuild_smoother();
    notify_definition_changed();
}

float FloatParameter::p_sample_rate() const
{
    return sample_rate_of(this);
}

float FloatParameter::p_denormalize_pure(float a_normalized) const
{
    if (m_exponential)
        return powf(m_end / m_start, a_normalized) * m_start;
    return a_normalized * (m_end - m_start) + m_start;
}

void FloatParameter::p_update_smoothing_bounds()
{
    const float rate = p_sample_rate();
    if (get_unit_info(m_external_unit).m_additive || m_exponential)
        m_smoothing_kind = SmoothingKind_EXPONENTIAL;
    else if (m_start == 0.0f && m_end == 1.0f &&
             m_to_internal == get_identity_conversion_function())
        m_smoothing_kind = SmoothingKind_NORMALIZED;
    else
        m_smoothing_kind = SmoothingKind_LINEAR;
    const float a = m_to_internal(m_start, rate);
    const float b = m_to_internal(m_end, rate);
    m_internal_span = b - a;
    m_internal_ratio = a > 0.0f && b > 0.0f ? b / a : 0.0f;
    for (uint32_t i = 0; i < 4; ++i)
    {
        m_smoothing_start[i] = a;
        if (m_smoothing_kind == SmoothingKind_LINEAR)
        {
            m_smoothing_span_or_ratio[i] = m_internal_span;
            m_smoothing_log[i] = 1.0f;
        }
        else
        {
            m_smoothing_span_or_ratio[i] = m_internal_ratio;
            m_smoothing_log[i] = float(std::log2(double(m_internal_ratio)));
        }
    }
}

} // namespace Tonvik
