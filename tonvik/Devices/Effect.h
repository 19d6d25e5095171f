#pragma once

#include "tonvik/Devices/Device.h"

namespace Tonvik
{

// A device that processes audio rather than making it. A note-on restarts the modulation that
// listens to the retrigger keys it matches.
class Effect : public Device
{
public:
    Effect();

    void note_on(uint32_t a_channel, uint32_t a_key, uint32_t a_velocity) override;

    // Audio thread: the retrigger keys in a_matched_keys (bit k - 1 for key k) matched a note-on.
    // The modulators whose "Retrigger key" is "Any" or one of these keys restart here.
    virtual void on_retrigger_keys(uint32_t a_matched_keys);
};

} // namespace Tonvik
