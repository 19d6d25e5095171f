#include "tonvik/Devices/RetriggerParameters.h"

#include "tonvik/Devices/MidiNames.h"

namespace Tonvik
{

namespace
{

bool special_text(int32_t a_value, Bex::String& a_text)
{
    if (a_value == RetriggerValue_NONE)
        a_text = u"None";
    else if (a_value == RetriggerValue_ANY)
        a_text = u"Any";
    else
        return false;
    return true;
}

} // namespace

P_RetriggeringKeyIndex::P_RetriggeringKeyIndex()
{
    m_interval_start = RetriggerValue_NONE;
    m_interval_end = 127;
    m_variable = &m_committed;
}

void P_RetriggeringKeyIndex::do_commit()
{
    P_Integer::do_commit();
    if (m_target)
        m_target->store(m_committed, std::memory_order_relaxed);
}

void P_RetriggeringKeyIndex::get_display_text(Bex::String& a_text)
{
    const int32_t value = m_value;
    if (!special_text(value, a_text))
        a_text = get_midi_note(uint32_t(value)).m_name;
}

P_RetriggeringKeyChannel::P_RetriggeringKeyChannel()
{
    append_option(1, u"Any", RetriggerValue_ANY);
    for (int32_t channel = 0; channel < 16; ++channel)
        append_option(uint32_t(channel + 2), Bex::String::from_number(channel + 1), channel);
    m_default_value = RetriggerValue_ANY;
    m_variable = &m_committed;
}

void P_RetriggeringKeyChannel::do_commit()
{
    P_TypedChoice<int32_t>::do_commit();
    if (m_target)
        m_target->store(m_committed, std::memory_order_relaxed);
}

P_RetriggerReason::P_RetriggerReason()
{
    m_interval_start = RetriggerValue_NONE;
    m_interval_end = 7;
}

void P_RetriggerReason::get_display_text(Bex::String& a_text)
{
    const int32_t value = m_value;
    if (!special_text(value, a_text))
        a_text = Bex::String::from_number(value + 1);
}

} // namespace Tonvik
