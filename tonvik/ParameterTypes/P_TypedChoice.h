#pragma once

#include "tonvik/ParameterTypes/P_GenericChoice.h"

namespace Tonvik
{

// A choice whose options carry a value of type T; committing writes the current option's value
// into the bound variable (a kernel pointer, an enumeration, a number).
template <typename T>
class P_TypedChoice : public P_GenericChoice
{
public:
    class Option : public P_GenericChoice_Option
    {
    public:
        Option(uint32_t a_id, const Bex::String& a_name, const T& a_value,
               const Bex::String& a_display_text)
            : P_GenericChoice_Option(a_id, a_name, a_display_text), m_value(a_value)
        {
        }

        T m_value;
    };

    // Hides the untyped append: every option of a typed choice carries a value.
    Option* append_option(uint32_t a_id, const Bex::String& a_name, const T& a_value,
                          const Bex::String& a_display_text = Bex::String())
    {
        Option* option = new Option(a_id, a_name, a_value, a_display_text);
        p_append_node(option);
        return option;
    }

    // Without an explicit default option, the first option holding the default value is it;
    // when none holds it, reset selects the first option.
    void do_initialize() override
    {
        BEX_ASSERT(m_variable);
        P_GenericChoice::do_initialize();
        if (m_default_option_id)
            return;
        for (P_GenericChoice_Option* option : m_options_vector)
        {
            if (static_cast<Option*>(option)->m_value == m_default_value)
            {
                m_default_option_id = option->m_id;
                return;
            }
        }
    }

    void do_commit() override
    {
        if (P_GenericChoice_Option* option = m_current_option)
            *m_variable = static_cast<Option*>(option)->m_value;
    }

    const T& get_value() const { return static_cast<Option*>(m_current_option.load())->m_value; }

    T m_default_value{};
    T* m_variable = nullptr;
};

} // namespace Tonvik
