#include "tonvik/Modulation/ModifyingModulatorEntry.h"

#include "bex/Core/Id.h"
#include "tonvik/Modulation/BoundsState.h"
#include "tonvik/Modulation/ModificationType.h"
#include "tonvik/Modulation/ModulationSignal.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/ParameterTypes/P_Boolean.h"

namespace Tonvik
{

P_ModificationType::P_ModificationType()
{
    struct Row
    {
        const char16_t* m_long;
        const char16_t* m_short;
        uint32_t m_id;
        uint32_t m_value;
    };
    // Display order; a null row is a separator.
    static const Row rows[] = {
        {u"Above", u"Above", 1, 1},
        {u"Above (clip top)", u"Above (ct)", 2, 2},
        {u"Above (restrict top)", u"Above (rt)", 3, 3},
        {u"Above (scale top)", u"Above (st)", 4, 4},
        {nullptr, nullptr, 0, 0},
        {u"Below", u"Below", 9, 11},
        {u"Below (clip bottom)", u"Below (cb)", 10, 12},
        {u"Below (restrict bottom)", u"Below (rb)", 11, 13},
        {u"Below (scale bottom)", u"Below (sb)", 12, 14},
        {nullptr, nullptr, 0, 0},
        {u"Around", u"Around", 5, 5},
        {u"Around (clip)", u"Around (cl)", 6, 6},
        {u"Around (restrict)", u"Around (re)", 7, 7},
        {u"Around (scale)", u"Around (sc)", 8, 8},
        {nullptr, nullptr, 0, 0},
        {u"Asymmetric above/below (restrict)", u"Asymmetric (re)", 15, 9},
        {u"Asymmetric above/below (scale)", u"Asymmetric (sc)", 16, 10},
        {nullptr, nullptr, 0, 0},
        {u"Between (parameter and range)", u"Between (pr)", 14, 16},
        {u"Between (range and parameter)", u"Between (rp)", 13, 15},
    };
    begin_options();
    for (const Row& row : rows)
    {
        if (!row.m_long)
            append_separator();
        else
            append_option(row.m_id, row.m_short, row.m_value, row.m_long);
    }
    end_options();
    m_default_value = ModificationType_ABOVE;
}

ModifyingModulatorEntry::ModifyingModulatorEntry(Modulator* a_modulator)
    : ModulatorEntry(a_modulator)
{
    CommittableCallback* callback = p_callback(this, &ModifyingModulatorEntry::p_on_kernel_changed);

    m_invert_parameter = new P_Boolean();
    m_invert_parameter->set_id(Bex::make_id("Inve"));
    m_invert_parameter->set_name(u"Invert");
    m_invert_parameter->m_variable = &m_invert;
    m_invert_parameter->set_committable_callback(callback);
    p_add_parameter(m_invert_parameter);

    m_location_parameter = new P_ModificationType();
    m_location_parameter->set_id(Bex::make_id("MoTy"));
    m_location_parameter->set_name(u"Location");
    m_location_parameter->m_variable = &m_location;
    m_location_parameter->set_committable_callback(callback);
    p_add_parameter(m_location_parameter);

    m_range_parameter =
        new Parameter_Modifier(Bex::make_id("MoAm"), u"Range", 0.0f, 1.0f, 0.5f, u"%.4f", true);
    p_add_parameter(m_range_parameter);
}

void ModifyingModulatorEntry::select_kernel()
{
    if (!m_signal)
        return;
    const uint32_t location = m_location;
    const bool flip = m_modulator->is_inverted() != m_invert;
    m_signal_vector = m_signal->use_vector(get_signal_vector_kind(location, flip));
    m_kernel = get_modulation_kernel(location);
    const BoundsMasks masks = get_bounds_masks(location);
    m_bounds_set = masks.m_set;
    m_bounds_clear = masks.m_clear;
    p_update_target_bounds();
}

FinishingModulationKernel
ModifyingModulatorEntry::get_finishing_kernel(uint32_t a_bounds_state) const
{
    return m_kernel.load() ? get_finishing_modulation_kernel(m_location, a_bounds_state) : nullptr;
}

void ModifyingModulatorEntry::p_on_kernel_changed()
{
    select_kernel();
}

} // namespace Tonvik
