#include "tonvik/Devices/Effect.h"

#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Modulation/ModulationManager.h"

namespace Tonvik
{

Effect::Effect()
{
    m_kind = DeviceKind_EFFECT;
}

void Effect::note_on(uint32_t a_channel, uint32_t a_key, uint32_t)
{
    const DeviceInstanceSettings* settings = get_instance_settings();
    if (!settings)
        return;
    const uint32_t matched = settings->match_retrigger_keys(int32_t(a_channel), int32_t(a_key));
    if (matched)
        on_retrigger_keys(matched);
}

void Effect::on_retrigger_keys(uint32_t a_matched_keys)
{
    get_modulation()->retrigger(a_matched_keys);
}

} // namespace Tonvik
