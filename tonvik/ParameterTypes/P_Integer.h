#pragma once

#include "tonvik/Parameters/Parameter.h"

#include <cstdint>

namespace Tonvik
{

// A whole number from the start to the end (which may lie below the start); each value owns an
// equal slice of the normalized range and sits at its centre.
class P_Integer : public Parameter
{
public:
    P_Integer();

    // The user's change; stored unclamped.
    void set_value(int32_t a_value);
    int32_t get_value() const { return m_value; }

    void do_initialize() override;
    void do_commit() override;
    bool do_load(const Bex::BiniNode& a_node, LoadReport& a_report) override;
    void do_reset() override;
    void do_save(Bex::BiniNode& a_node) override;
    bool from_string(const Bex::String&) override { return false; }
    void do_copy_value(const Parameter& a_other) override;
    void get_plain_text(Bex::String& a_text) override;
    void get_plain_text(std::string& a_text) override;
    void get_display_text(Bex::String& a_text) override;

    int32_t m_default = 0;
    int32_t m_interval_end = 0;
    int32_t m_interval_start = 0;
    int32_t m_span = 0;
    int32_t m_max = 0;
    int32_t m_min = 0;
    float m_step = 1.0f;
    float m_half_step = 0.5f;
    int32_t* m_variable = nullptr;
    RelaxedAtomic<int32_t> m_value = 0;
    int32_t m_count = 1;
};

} // namespace Tonvik
