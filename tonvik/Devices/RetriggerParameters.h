#pragma once

#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"

#include <atomic>
#include <cstdint>

namespace Tonvik
{

// Key and channel values that stand for more than one number.
enum RetriggerValue : int32_t
{
    RetriggerValue_NONE = -2,
    RetriggerValue_ANY = -1,
};

// The MIDI note of a retrigger key, or "None" (-2) or "Any" (-1). The audio thread reads the
// committed value while the settings thread may commit a new one, so it lands in an atomic.
class P_RetriggeringKeyIndex : public P_Integer
{
public:
    P_RetriggeringKeyIndex();

    void do_commit() override;
    void get_display_text(Bex::String& a_text) override;

    std::atomic<int32_t>* m_target = nullptr;

private:
    int32_t m_committed = 0;
};

// The channel of a retrigger key: "Any" (-1) or "1" to "16", stored as 0 to 15.
class P_RetriggeringKeyChannel : public P_TypedChoice<int32_t>
{
public:
    P_RetriggeringKeyChannel();

    void do_commit() override;

    std::atomic<int32_t>* m_target = nullptr;

private:
    int32_t m_committed = 0;
};

// Which of the eight retrigger keys restarts a modulator: "None" (-2), "Any" (-1), or the key
// number, shown from 1.
class P_RetriggerReason : public P_Integer
{
public:
    P_RetriggerReason();

    void get_display_text(Bex::String& a_text) override;
};

} // namespace Tonvik
