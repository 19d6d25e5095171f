#pragma once

#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

// A text value, such as a modulator's name. Saved, never shown to the host.
class Parameter_String : public Parameter
{
public:
    Parameter_String();

    void set_value(const Bex::String& a_value);
    const Bex::String& get_value() const { return m_value; }

    void do_initialize() override;
    void do_commit() override;
    bool do_load(const Bex::BiniNode& a_node, LoadReport& a_report) override;
    void do_reset() override;
    void do_save(Bex::BiniNode& a_node) override;
    void do_copy_value(const Parameter& a_other) override;
    void get_display_text(Bex::String& a_text) override;

    Bex::String m_default;
    Bex::String* m_variable = nullptr;
    Bex::String m_value;
};

} // namespace Tonvik
