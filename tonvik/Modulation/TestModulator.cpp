#include "tonvik/Modulation/TestModulator.h"

#include "bex/Core/Exception.h"
#include "bex/Core/Id.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/ParameterTypes/P_Boolean.h"

namespace Tonvik
{

namespace
{

Parameter_Modifier* make_coefficient(const char* a_id, const char16_t* a_name)
{
    return new Parameter_Modifier(Bex::make_id(a_id), a_name, -10.0f, 10.0f, 1.0f, u"%.4f");
}

} // namespace

TestModulatorEntry::TestModulatorEntry(Modulator* a_modulator) : ModulatorEntry(a_modulator)
{
    static const char* const override_ids[3] = {"OveA", "OveB", "OveC"};
    static const char16_t* const override_names[3] = {u"Override A", u"Override B", u"Override C"};
    for (uint32_t i = 0; i < 3; ++i)
    {
        m_overrides[i] = new P_Boolean();
        m_overrides[i]->set_id(Bex::make_id(override_ids[i]));
        m_overrides[i]->set_name(override_names[i]);
        m_overrides[i]->m_variable = &m_override_values[i];
        p_add_parameter(m_overrides[i]);
    }
    m_coefficients[0] = make_coefficient("A", u"A");
    m_coefficients[1] = make_coefficient("B", u"B");
    m_coefficients[2] = make_coefficient("C", u"C");
    for (Parameter_Modifier* coefficient : m_coefficients)
        p_add_parameter(coefficient);
}

TestModulator::TestModulator(ModulationManager* a_manager)
    : Modulator(a_manager, ModulatorType_TEST)
{
    m_coefficients[0] = make_coefficient("A", u"A");
    m_coefficients[1] = make_coefficient("B", u"B");
    m_coefficients[2] = make_coefficient("C", u"C");
    for (Parameter_Modifier* coefficient : m_coefficients)
        p_add_parameter(coefficient);
}

ModulatorGui* TestModulator::create_gui()
{
    throw Bex::Exception(Bex::String(u"No gui."));
}

void TestModulator::process(uint32_t a_voice, uint32_t, bool)
{
    for (ModulatorEntry* base : get_active_entries())
    {
        TestModulatorEntry* entry = static_cast<TestModulatorEntry*>(base);
        const float* coefficients[3];
        for (uint32_t k = 0; k < 3; ++k)
        {
            coefficients[k] = entry->m_override_values[k] ? entry->m_coefficients[k]->get_vector()
                                                          : m_coefficients[k]->get_vector();
        }
        const ModulatorEntry::VoiceIo& io = entry->m_io[a_voice];
        for (uint32_t i = 0; i < 16; ++i)
        {
            const float x = io.m_input[i];
            io.m_output[i] = (coefficients[0][i] * x + coefficients[1][i]) * x + coefficients[2][i];
        }
        if (entry->m_last_in_chain)
            entry->get_target()->finish_modulation();
    }
}

} // namespace Tonvik
