#include "tonvik/Gui/VariationSwitch.h"

#include "bex/Core/Exception.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/Host.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Parameters/Parameter.h"

#include <cmath>

namespace Tonvik
{

namespace
{

// The value restored from its normalized form must give that form back, or the variation lost it
// (a range it cannot map, say, that turns the value into NaN).
bool restore_normalized(Parameter& a_parameter, float a_normalized)
{
    if (!a_parameter.m_normalizable)
        return false;
    try
    {
        a_parameter.m_normalized_value = a_normalized;
        a_parameter.m_denormalize(&a_parameter);
        a_parameter.m_normalize(&a_parameter);
    }
    catch (const Bex::Exception&)
    {
        return false;
    }
    const float normalized = a_parameter.m_normalized_value;
    return std::isfinite(normalized) && std::fabs(normalized - a_normalized) <= 1e-4f;
}

void commit(Parameter& a_parameter)
{
    a_parameter.do_commit();
    if (a_parameter.m_committable_callback)
        a_parameter.m_committable_callback->call();
}

} // namespace

bool switch_variation(Parameter& a_parameter, ParameterVariation* a_variation)
{
    Device* device = a_parameter.get_device();
    if (!device || !a_variation || a_variation == a_parameter.m_current_variation)
        return true;
    bool restored;
    {
        Device::StateLocks locks(*device);
        const float held = a_parameter.get_normalized_value();
        ParameterVariation* old = a_parameter.m_current_variation;
        a_parameter.p_use_variation(a_variation);
        restored = restore_normalized(a_parameter, held);
        if (!restored)
        {
            a_parameter.p_use_variation(old);
            a_parameter.m_normalized_value = held;
            a_parameter.m_denormalize(&a_parameter);
        }
        commit(a_parameter);
    }
    Host* host = a_parameter.m_host;
    if (restored && host && host->m_busy == 0 && a_parameter.m_normalizable)
    {
        host->begin_edit(&a_parameter);
        host->automate(&a_parameter, a_parameter.get_normalized_value());
        host->end_edit(&a_parameter);
    }
    device->parameter_changed(&a_parameter);
    return restored;
}

} // namespace Tonvik
