#include "tonvik/Parameters/ParameterCollection.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterGroup.h"
#include "tonvik/Parameters/ParameterVariation.h"

namespace Tonvik
{

namespace
{

constexpr uint32_t g_parameters_node_id = 1;

} // namespace

ParameterCollection::ParameterCollection() : m_root(new ParameterGroup(0, Bex::String())) {}

ParameterCollection::~ParameterCollection()
{
    delete m_root;
}

void ParameterCollection::p_collect(ParameterGroup* a_group)
{
    for (ParameterNode* child : a_group->m_children)
    {
        if (child->m_node_kind == ParameterNodeKind_GROUP)
        {
            p_collect(static_cast<ParameterGroup*>(child));
            continue;
        }
        Parameter* parameter = static_cast<Parameter*>(child);
        BEX_ASSERT(!m_parameter_map.has_key(parameter->get_id()));
        m_parameter_map.insert_new(parameter->get_id(), parameter);
        m_parameters.push_back(parameter);
    }
}

void ParameterCollection::initialize(Device* a_device)
{
    BEX_ASSERT(a_device);
    p_collect(m_root);
    for (Parameter* parameter : m_parameters)
    {
        parameter->m_device = a_device;
        if (parameter->m_device_index < 0)
            a_device->register_parameter(parameter);
        parameter->do_initialize();
        if (parameter->m_variations.size())
            parameter->p_use_default_variation();
        parameter->do_reset();
        parameter->rebuild_smoother();
    }
}

Parameter* ParameterCollection::find(uint32_t a_id) const
{
    Parameter* const* parameter = m_parameter_map.find_value(a_id);
    return parameter ? *parameter : nullptr;
}

void ParameterCollection::save(Bex::BiniNode& a_node) const
{
    Bex::BiniNode& parameters = a_node.add_child(g_parameters_node_id);
    for (Parameter* parameter : m_parameters)
    {
        if (!parameter->m_persistent)
            continue;
        Bex::BiniNode& node = parameters.add_child(parameter->get_id());
        parameter->do_save(node.add_child(Bex::make_id("Valu")));
        if (parameter->m_normalizable)
            node.add_child(Bex::make_id("Norm")).set_value_float(parameter->m_normalized_value);
        if (parameter->m_current_variation)
            node.add_child(Bex::make_id("Vari"))
                .set_value_uint32(parameter->m_current_variation->m_id);
    }
}

void ParameterCollection::load(const Bex::BiniNode& a_node, LoadReport& a_report)
{
    const Bex::BiniNode* parameters = a_node.find_child(g_parameters_node_id);
    if (!parameters)
    {
        reset_all();
        return;
    }
    for (Parameter* parameter : m_parameters)
    {
        if (!parameter->m_persistent)
            continue;
        const Bex::BiniNode* node = parameters->find_child(parameter->get_id());
        if (parameter->m_minimum_plugin_internal_version > a_report.m_device_version || !node)
            parameter->do_reset();
        else
            parameter->load(*node, a_report);
    }
}

void ParameterCollection::reset_all()
{
    for (Parameter* parameter : m_parameters)
        parameter->do_reset();
}

void ParameterCollection::copy_values_from(const ParameterCollection& a_other)
{
    for (Parameter* parameter : m_parameters)
    {
        const Parameter* other = a_other.find(parameter->get_id());
        if (!other)
            continue;
        if (parameter->m_normalizable)
            parameter->m_normalized_value = other->m_normalized_value;
        parameter->do_copy_value(*other);
    }
}

void ParameterCollection::commit_all(bool a_call_callbacks)
{
    for (Parameter* parameter : m_parameters)
        parameter->do_commit();
    if (!a_call_callbacks)
        return;
    Bex::Vector<CommittableCallback*> callbacks;
    for (Parameter* parameter : m_parameters)
    {
        CommittableCallback* callback = parameter->m_committable_callback;
        if (callback && !callbacks.contains(callback))
            callbacks.push_back(callback);
    }
    for (CommittableCallback* callback : callbacks)
        callback->call();
}

} // namespace Tonvik
