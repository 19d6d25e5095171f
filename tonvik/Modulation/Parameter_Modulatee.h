#pragma once

#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/RelaxedAtomic.h"

namespace Tonvik
{

class Modulatee;

// An entry's target: a reference to a modulatable parameter of the device, of a modulator or of
// an entry. Saved as the target's id with the indices of its modulator and entry.
class Parameter_Modulatee : public Parameter
{
public:
    Parameter_Modulatee();

    // The user's change; a parameter that is not modulatable is refused.
    void set_target(Modulatee* a_target);
    Modulatee* get_target() const { return m_target; }
    // Clears the reference without the user's change path (its target is going away).
    void clear_target() { m_target = nullptr; }

    bool do_load(const Bex::BiniNode& a_node, LoadReport& a_report) override;
    void do_reset() override { m_target = nullptr; }
    void do_save(Bex::BiniNode& a_node) override;
    void do_copy_value(const Parameter& a_other) override;
    void get_display_text(Bex::String& a_text) override;

    // The message of the last failed load, empty after a good one. The saver abandons the whole
    // load on it, which the parameter's own load (that falls back to the default) cannot do.
    Bex::String m_load_failure;

private:
    Modulatee* p_find_target(const Bex::BiniNode& a_node);

    RelaxedAtomic<Modulatee*> m_target = nullptr;
};

} // namespace Tonvik
