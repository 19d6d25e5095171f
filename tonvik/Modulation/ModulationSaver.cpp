#include "tonvik/Modulation/ModulationSaver.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Containers/Map.h"
#include "bex/Core/Exception.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/CombinatorModulator.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/Modulation/TestModulator.h"
#include "tonvik/Modulation/XyModulator.h"
#include "tonvik/Parameters/Parameter.h"

#include <memory>

namespace Tonvik
{

namespace
{

constexpr uint32_t g_modulation_id = Bex::make_id("Modu");
constexpr uint32_t g_type_id = Bex::make_id("Type");
constexpr uint32_t g_stage_id = Bex::make_id("PrSt");
constexpr uint32_t g_parameters_id = Bex::make_id("Para");
constexpr uint32_t g_entries_id = Bex::make_id("Entr");
constexpr uint32_t g_assignments_id = Bex::make_id("Assi");
constexpr uint32_t g_slot_id = Bex::make_id("SlIn");
constexpr uint32_t g_parameter_id = Bex::make_id("PaId");
constexpr uint32_t g_modulator_index_id = Bex::make_id("MoIn");
constexpr uint32_t g_entry_index_id = Bex::make_id("EnIn");

class StageMap : public Bex::Map<uint32_t, uint32_t>
{
public:
    StageMap(std::initializer_list<std::pair<const uint32_t, uint32_t>> a_pairs)
        : Bex::Map<uint32_t, uint32_t>(a_pairs)
    {
    }

    uint32_t translate(uint32_t a_key) const
    {
        const auto i = Base::find(a_key);
        BEX_ASSERT(i != Base::end());
        return i->second;
    }
};

const StageMap& stage_to_save_value()
{
    static const StageMap map = {
        {ProcessingStage_IN_NOTE, ModulationSaver::ProcessingStageSaveValue_IN_NOTE},
        {ProcessingStage_PRE_NOTE, ModulationSaver::ProcessingStageSaveValue_PRE_NOTE},
        {ProcessingStage_POST_NOTE, ModulationSaver::ProcessingStageSaveValue_POST_NOTE},
    };
    return map;
}

const StageMap& save_value_to_stage()
{
    static const StageMap map = {
        {ModulationSaver::ProcessingStageSaveValue_IN_NOTE, ProcessingStage_IN_NOTE},
        {ModulationSaver::ProcessingStageSaveValue_PRE_NOTE, ProcessingStage_PRE_NOTE},
        {ModulationSaver::ProcessingStageSaveValue_POST_NOTE, ProcessingStage_POST_NOTE},
    };
    return map;
}

[[noreturn]] void fail(const char16_t* a_message)
{
    throw Bex::Exception(Bex::String(a_message));
}

std::unique_ptr<Modulator> create_modulator(uint32_t a_type_number, ModulationManager& a_manager)
{
    switch (a_type_number)
    {
    case ModulatorType_COMBINATOR:
        return std::make_unique<CombinatorModulator>(&a_manager);
    case ModulatorType_LFO:
        return std::make_unique<LfoModulator>(&a_manager);
    case ModulatorType_TEST:
        return std::make_unique<TestModulator>(&a_manager);
    case ModulatorType_XY:
        return std::make_unique<XyModulator>(&a_manager);
    default:
        fail(u"Invalid modulator type.");
    }
}

void load_parameters(ParameterCollection& a_parameters, const Bex::BiniNode& a_node,
                     uint32_t a_version)
{
    LoadReport report;
    report.m_device_version = a_version;
    a_parameters.load(a_node, report);
}

// Loading has finished for an owner: what it loaded reaches its bound variables and callbacks.
void finish_loading(ParameterCollection& a_parameters)
{
    a_parameters.commit_all(true);
}

void load_assignments(const Bex::BiniNode& a_node, ModulationManager& a_manager)
{
    AssignableSlots* slots = a_manager.get_assignable_slots();
    for (const auto& child : a_node.get_children())
    {
        const Bex::BiniNode& assignment = *child.second;
        const uint32_t slot = assignment.get_child(g_slot_id).get_value_uint32();
        const uint32_t id = assignment.get_child(g_parameter_id).get_value_uint32();
        const uint32_t modulator_index =
            assignment.get_child(g_modulator_index_id).get_value_uint32();
        const int32_t entry_index = assignment.get_child_int32_or_minus_one(g_entry_index_id);
        if (!slots || slot >= slots->get_slot_count())
            fail(u"Invalid assignable slot index.");
        if (modulator_index >= a_manager.get_modulator_count())
            fail(u"Invalid assigned parameter's modulator index.");
        Modulator* modulator = a_manager.get_modulator(modulator_index);
        Parameter* parameter;
        if (entry_index >= 0)
        {
            if (uint32_t(entry_index) >= modulator->get_entries().size())
                fail(u"Invalid assigned parameter's modulator entry index.");
            parameter = modulator->get_entries()[uint32_t(entry_index)]->get_parameters().find(id);
        }
        else
        {
            parameter = modulator->get_parameters().find(id);
        }
        if (!parameter)
            fail(u"Invalid assigned parameter id.");
        slots->assign(slot, parameter);
    }
}

} // namespace

void ModulationSaver::save(ModulationManager& a_manager, Bex::BiniNode& a_node)
{
    Bex::BiniNode& modulation = a_node.add_child(g_modulation_id);
    const Bex::Vector<Modulator*>& modulators = a_manager.get_modulators();
    for (uint32_t i = 0; i < modulators.size(); ++i)
    {
        Modulator* modulator = modulators[i];
        Bex::BiniNode& node = modulation.add_child(i + 1);
        node.add_child(g_stage_id)
            .set_value_uint32(stage_to_save_value().translate(modulator->get_stage()));
        const uint32_t type = modulator->get_type_number();
        if (type < 1 || type > 7)
            fail(u"Invalid modulator type.");
        node.add_child(g_type_id).set_value_uint32(type - 1);
        modulator->get_parameters().save(node.add_child(g_parameters_id));
        Bex::BiniNode& entries = node.add_child(g_entries_id);
        for (uint32_t j = 0; j < modulator->get_entries().size(); ++j)
        {
            modulator->get_entries()[j]->get_parameters().save(
                entries.add_child(j + 1).add_child(g_parameters_id));
        }
    }

    Bex::BiniNode& assignments = a_node.add_child(g_assignments_id);
    AssignableSlots* slots = a_manager.get_assignable_slots();
    uint32_t number = 0;
    for (uint32_t slot = 0; slots && slot < slots->get_slot_count(); ++slot)
    {
        Parameter* parameter = slots->get_assigned(slot);
        if (!parameter)
            continue;
        Bex::BiniNode& node = assignments.add_child(++number);
        node.add_child(g_slot_id).set_value_uint32(slot);
        node.add_child(g_parameter_id).set_value_uint32(parameter->get_id());
        Modulator* modulator = static_cast<Modulator*>(parameter->get_modulator());
        BEX_ASSERT(modulator);
        node.add_child(g_modulator_index_id).set_value_uint32(uint32_t(modulator->get_index()));
        if (parameter->m_owner->m_owner_kind == ParameterOwnerKind_MODULATOR_ENTRY)
        {
            const int32_t entry_index =
                modulator->find_entry(static_cast<ModulatorEntry*>(parameter->m_owner));
            BEX_ASSERT(entry_index >= 0);
            node.add_child(g_entry_index_id).set_value_int32(entry_index);
        }
    }
}

void ModulationSaver::load(const Bex::BiniNode& a_node, uint32_t a_version,
                           ModulationManager& a_manager)
{
    if (a_node.get_children().empty())
        return;
    // One rebuild at the end; the hold is released however the load ends.
    struct RebuildHold
    {
        explicit RebuildHold(ModulationManager& a_manager) : m_manager(a_manager)
        {
            m_manager.suspend_rebuild();
        }
        ~RebuildHold() { m_manager.resume_rebuild(); }
        ModulationManager& m_manager;
    } hold(a_manager);

    Bex::Vector<std::pair<Modulator*, const Bex::BiniNode*>> loaded;
    if (const Bex::BiniNode* modulation = a_node.find_child(g_modulation_id))
    {
        for (uint32_t i = 1; const Bex::BiniNode* node = modulation->find_child(i); ++i)
        {
            const uint32_t type = node->get_child(g_type_id).get_value_uint32() + 1;
            const uint32_t stage =
                save_value_to_stage().translate(node->get_child(g_stage_id).get_value_uint32());
            a_manager.check_modulator_limit();
            Modulator* modulator =
                a_manager.add_modulator(create_modulator(type, a_manager), stage);
            const Bex::BiniNode& parameters = node->get_child(g_parameters_id);
            load_parameters(modulator->get_parameters(), parameters, a_version);
            modulator->on_parameters_loaded(parameters);
            finish_loading(modulator->get_parameters());
            loaded.push_back({modulator, node});
        }
        // Later modulators' entries first, so that targets in earlier ones are found by index.
        for (size_t i = loaded.size(); i-- > 0;)
        {
            Modulator* modulator = loaded[i].first;
            const Bex::BiniNode* entries = loaded[i].second->find_child(g_entries_id);
            for (uint32_t j = 1; entries && entries->find_child(j); ++j)
            {
                ModulatorEntry* entry =
                    a_manager.add_entry(modulator, uint32_t(modulator->get_entries().size()));
                load_parameters(entry->get_parameters(),
                                entries->get_child(j).get_child(g_parameters_id), a_version);
                const Bex::String& failure = entry->get_modulatee_parameter()->m_load_failure;
                if (!failure.empty())
                    throw Bex::Exception(failure);
                finish_loading(entry->get_parameters());
            }
        }
    }

    const Bex::BiniNode* assignments = a_node.find_child(g_assignments_id);
    if (assignments && !assignments->get_children().empty())
        load_assignments(*assignments, a_manager);

    ModulationEvents::OnLoaded event;
    a_manager.m_on_loaded.emit(event);
}

} // namespace Tonvik
