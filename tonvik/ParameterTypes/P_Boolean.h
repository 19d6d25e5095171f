#pragma once

#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

// On or off; normalized 0 and 1, anything from 0.5 up reads as on.
class P_Boolean : public Parameter
{
public:
    P_Boolean();

    // The user's change; an unchanged value sends the host only the edit gesture.
    void set_value(bool a_value);
    bool get_value() const { return m_value; }

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

    bool m_default = false;
    bool* m_variable = nullptr;
    RelaxedAtomic<bool> m_value = false;
};

} // namespace Tonvik
