#pragma once

#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/ParameterTypes/FloatParameterVariation.h"
#include "tonvik/ParameterTypes/UnitConversions.h"
#include "tonvik/Parameters/Parameter.h"

#include <string>

namespace Tonvik
{

enum SmoothingKind : uint32_t
{
    SmoothingKind_NORMALIZED = 0,
    SmoothingKind_EXPONENTIAL = 1,
    SmoothingKind_LINEAR = 2,
};

// The continuous parameter: normalized (host), external (the user's unit, within an interval) and
// internal (what the audio code reads, written into the output buffer on commit).
class FloatParameter : public Parameter, public Modulatee
{
public:
    using NormalizeFunction = float (*)(const FloatParameter*, float);

    FloatParameter();

    FloatParameterVariation* append_float_variation(uint32_t a_id, const Bex::String& a_name,
                                                    uint32_t a_external_unit, float a_start,
                                                    float a_end, float a_default,
                                                    uint32_t a_exponential,
                                                    uint32_t a_conversion_type,
                                                    uint32_t a_editor_origin, bool a_make_default);
    // Creates the "Auto" variation when needed; the owner then sets its default, mapping and
    // interval directly.
    FloatParameterVariation* set_units(uint32_t a_external_unit, uint32_t a_internal_unit);
    void set_format(const Bex::String& a_format);
    // Writes a 16-wide modulatable output that is neither saved nor shown to the host.
    void set_output(float* a_output);

    void do_initialize() override;
    void do_commit() override;
    bool do_load(const Bex::BiniNode& a_node, LoadReport& a_report) override;
    void do_reset() override;
    void do_save(Bex::BiniNode& a_node) override;
    void do_use_variation() override;
    void do_copy_value(const Parameter& a_other) override;
    void do_update_precision() override;
    void do_update_sample_rate() override;
    Modulatee* get_modulatee() override { return this; }
    void get_plain_text(Bex::String& a_text) override;
    void get_plain_text(std::string& a_text) override;
    void get_display_text(Bex::String& a_text) override;
    ParameterSmoother* create_smoother() override;

    Parameter* get_modulatee_parameter() override { return this; }
    bool is_modulatable() const override { return m_modulatable; }
    Bex::String get_value_text(float a_normalized) const override;
    Bex::String get_amount_text(float a_amount, int a_sign_style) const override;
    void on_definition_changed() override;

    // The user's change in the external unit; the value is kept within [min, max].
    void set_external_value(float a_value);

    float get_external_value() const { return m_external_value; }
    float get_internal_value() const { return m_internal_value; }
    // External value -> normalized, always with the library's logarithm.
    float normalize(float a_external) const { return m_normalize_pure(this, a_external); }
    float to_internal(float a_external) const { return m_to_internal(a_external, p_sample_rate()); }

    bool m_modulatable = false;
    float* m_output = nullptr;
    uint32_t m_vector_size = 1;
    float* m_normalized_output = nullptr;
    FloatParameterVariation* m_auto_variation = nullptr;

    uint32_t m_conversion_type = 0;
    float m_default = 0.0f;
    uint32_t m_exponential = 0;
    float m_end = 1.0f;
    float m_start = 0.0f;
    float m_max = 1.0f;
    float m_min = 0.0f;
    uint32_t m_external_unit = 0;

    std::string m_format_narrow = "%g";
    Bex::String m_format = u"%g";

    float m_inverse_log_ratio = 0.0f;
    float m_log2_ratio = 0.0f;
    float m_ratio = 1.0f;
    float m_span = 1.0f;

    RelaxedAtomic<float> m_external_value = 0.0f;
    RelaxedAtomic<float> m_internal_value = 0.0f;

    uint32_t m_smoothing_kind = SmoothingKind_NORMALIZED;
    // Internal values of the interval's ends: b - a, and b / a when both are positive, else 0.
    float m_internal_span = 0.0f;
    float m_internal_ratio = 0.0f;
    alignas(16) float m_smoothing_start[4] = {};
    alignas(16) float m_smoothing_span_or_ratio[4] = {};
    alignas(16) float m_smoothing_log[4] = {};

    UnitConversionFunction m_to_internal;
    UnitConversionFunction m_to_external;
    NormalizeFunction m_normalize_pure;

    bool m_smoothable = true;

    alignas(16) float m_normalized_buffer[16] = {};

private:
    float p_sample_rate() const;
    void p_update_smoothing_bounds();
    float p_denormalize_pure(float a_normalized) const;
};

} // namespace Tonvik
