#pragma once

#include "tonvik/ParameterTypes/P_GenericChoice_Node.h"
#include "tonvik/Parameters/Parameter.h"

#include <cstdint>

namespace Tonvik
{

// Where options go while a choice is being defined.
class P_GenericChoice_Builder
{
public:
    explicit P_GenericChoice_Builder(P_GenericChoice_Group* a_root)
    {
        m_group_stack.push_back(a_root);
    }

    Bex::Vector<P_GenericChoice_Group*> m_group_stack;
};

// One option out of a declared tree of options. Options sit at the centres of equal slices of
// the normalized range.
class P_GenericChoice : public Parameter
{
public:
    P_GenericChoice();
    ~P_GenericChoice() noexcept(false) override;

    void begin_options();
    // Appended to the group being built, or to the root outside begin_options/end_options.
    P_GenericChoice_Option* append_option(uint32_t a_id, const Bex::String& a_name,
                                          const Bex::String& a_display_text = Bex::String());
    void append_separator();
    void begin_group(const Bex::String& a_name);
    void end_group();
    void end_options();

    // The first option with a_id, or the first option when none has it; false when that option
    // is already current.
    bool select_option(uint32_t a_id);
    // The user's choice: the edit gesture around it, the selection under the parameter lock,
    // then automation, commit and the editors' refresh when the selection changed.
    bool select_option_by_user(uint32_t a_id);
    P_GenericChoice_Option* find_option(uint32_t a_id) const;
    P_GenericChoice_Option* get_current_option() const { return m_current_option; }
    const Bex::Vector<P_GenericChoice_Option*>& get_options() const { return m_options_vector; }
    P_GenericChoice_Group* get_root_group() const { return m_root_group; }

    void do_initialize() override;
    void do_reset() override;
    bool do_load(const Bex::BiniNode& a_node, LoadReport& a_report) override;
    void do_save(Bex::BiniNode& a_node) override;
    void do_copy_value(const Parameter& a_other) override;
    void get_display_text(Bex::String& a_text) override;

    virtual void do_load_editable_value(P_GenericChoice_Option* a_option,
                                        const Bex::BiniNode& a_node);
    virtual void do_save_editable_value(P_GenericChoice_Option* a_option, Bex::BiniNode& a_node);
    virtual uint32_t translate_loaded_id(uint32_t a_id) { return a_id; }
    virtual uint32_t translate_saved_id(uint32_t a_id) { return a_id; }

    RelaxedAtomic<P_GenericChoice_Option*> m_current_option = nullptr;
    P_GenericChoice_Builder* m_builder = nullptr;
    uint32_t m_default_option_id = 0;
    uint32_t m_editable_option_id = 0;
    float m_option_count = 0.0f;
    Bex::Vector<P_GenericChoice_Option*> m_options_vector;
    P_GenericChoice_Group* m_root_group;

protected:
    void p_append_node(P_GenericChoice_Node* a_node);
    void p_collect_options();
    void p_collect_group(P_GenericChoice_Group* a_group);
};

} // namespace Tonvik
