#include "tonvik/ParameterTypes/P_GenericChoice.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Exception.h"
#include "bex/Core/Id.h"

#include <set>

namespace Tonvik
{

namespace
{

void denormalize(Parameter* a_parameter)
{
    P_GenericChoice* p = static_cast<P_GenericChoice*>(a_parameter);
    const uint32_t last = uint32_t(p->m_options_vector.size() - 1);
    const float scaled = p->m_option_count * p->m_normalized_value;
    uint32_t index = 0;
    if (scaled >= float(last))
        index = last;
    else if (scaled > 0.0f)
        index = uint32_t(scaled);
    p->m_current_option = p->m_options_vector[index];
}

void normalize(Parameter* a_parameter)
{
    P_GenericChoice* p = static_cast<P_GenericChoice*>(a_parameter);
    if (p->m_current_option)
        p->m_normalized_value = p->m_current_option->m_normalized_value;
}

} // namespace

P_GenericChoice::P_GenericChoice() : m_root_group(new P_GenericChoice_Group(Bex::String()))
{
    m_normalizable = true;
}

P_GenericChoice::~P_GenericChoice() noexcept(false)
{
    delete m_builder;
    delete m_root_group;
}

void P_GenericChoice::begin_options()
{
    BEX_ASSERT(!m_builder);
    m_builder = new P_GenericChoice_Builder(m_root_group);
}

void P_GenericChoice::p_append_node(P_GenericChoice_Node* a_node)
{
    P_GenericChoice_Group* group = m_builder ? m_builder->m_group_stack.back() : m_root_group;
    group->m_children.push_back(a_node);
}

P_GenericChoice_Option* P_GenericChoice::append_option(uint32_t a_id, const Bex::String& a_name,
                                                       const Bex::String& a_display_text)
{
    P_GenericChoice_Option* option = new P_GenericChoice_Option(a_id, a_name, a_display_text);
    p_append_node(option);
    return option;
}

void P_GenericChoice::append_separator()
{
    BEX_ASSERT(m_builder);
    p_append_node(new P_GenericChoice_Separator());
}

void P_GenericChoice::begin_group(const Bex::String& a_name)
{
    BEX_ASSERT(m_builder);
    P_GenericChoice_Group* group = new P_GenericChoice_Group(a_name);
    p_append_node(group);
    m_builder->m_group_stack.push_back(group);
}

void P_GenericChoice::end_group()
{
    BEX_ASSERT(m_builder);
    BEX_ASSERT(m_builder->m_group_stack.size() > 1);
    m_builder->m_group_stack.pop_back();
}

void P_GenericChoice::end_options()
{
    BEX_ASSERT(m_builder);
    delete m_builder;
    m_builder = nullptr;
}

void P_GenericChoice::p_collect_group(P_GenericChoice_Group* a_group)
{
    for (P_GenericChoice_Node* node : a_group->m_children)
    {
        if (node->m_node_kind == ChoiceNodeKind_GROUP)
            p_collect_group(static_cast<P_GenericChoice_Group*>(node));
        else if (node->m_node_kind == ChoiceNodeKind_OPTION)
        {
            P_GenericChoice_Option* option = static_cast<P_GenericChoice_Option*>(node);
            BEX_ASSERT(option->m_id != 0);
            option->m_index = uint32_t(m_options_vector.size());
            m_options_vector.push_back(option);
        }
    }
}

void P_GenericChoice::p_collect_options()
{
    BEX_ASSERT(m_options_vector.empty());
    p_collect_group(m_root_group);
    m_option_count = float(m_options_vector.size());
    std::set<uint32_t> ids;
    for (P_GenericChoice_Option* option : m_options_vector)
    {
        if (!ids.insert(option->m_id).second)
            throw Bex::Exception(Bex::String(u"Multiple options with the same id."));
    }
}

void P_GenericChoice::do_initialize()
{
    BEX_ASSERT(!m_builder);
    p_collect_options();
    BEX_ASSERT(m_options_vector.size());
    for (P_GenericChoice_Option* option : m_options_vector)
        option->m_normalized_value = (float(option->m_index) + 0.5f) / m_option_count;
    m_denormalize = &denormalize;
    m_normalize = &normalize;
}

P_GenericChoice_Option* P_GenericChoice::find_option(uint32_t a_id) const
{
    for (P_GenericChoice_Option* option : m_options_vector)
    {
        if (option->m_id == a_id)
            return option;
    }
    return nullptr;
}

bool P_GenericChoice::select_option(uint32_t a_id)
{
    P_GenericChoice_Option* option = find_option(a_id);
    if (!option)
        option = m_options_vector.front();
    if (option == m_current_option)
        return false;
    m_current_option = option;
    m_normalized_value = option->m_normalized_value;
    return true;
}

bool P_GenericChoice::select_option_by_user(uint32_t a_id)
{
    EditGesture gesture(this);
    bool changed;
    {
        ParameterLock lock(this);
        changed = select_option(a_id);
    }
    if (changed)
        p_after_user_store();
    return changed;
}

void P_GenericChoice::do_reset()
{
    select_option(m_default_option_id);
}

bool P_GenericChoice::do_load(const Bex::BiniNode& a_node, LoadReport&)
{
    const uint32_t id = translate_loaded_id(a_node.get_value_uint32());
    P_GenericChoice_Option* option = find_option(id);
    if (!option)
        return false;
    if (m_editable_option_id && option->m_id == m_editable_option_id)
        do_load_editable_value(option, a_node.get_child(Bex::make_id("User")));
    m_current_option = option;
    m_normalized_value = option->m_normalized_value;
    return true;
}

void P_GenericChoice::do_save(Bex::BiniNode& a_node)
{
    BEX_ASSERT(m_current_option);
    a_node.set_value_uint32(translate_saved_id(m_current_option->m_id));
    if (m_editable_option_id && m_current_option->m_id == m_editable_option_id)
        do_save_editable_value(m_current_option, a_node.add_child(Bex::make_id("User")));
}

void P_GenericChoice::do_copy_value(const Parameter& a_other)
{
    const P_GenericChoice& other = static_cast<const P_GenericChoice&>(a_other);
    m_current_option = nullptr;
    if (other.m_current_option && other.m_current_option->m_index < m_options_vector.size())
        m_current_option = m_options_vector[other.m_current_option->m_index];
}

void P_GenericChoice::get_display_text(Bex::String& a_text)
{
    a_text = m_current_option ? m_current_option->m_display_text : Bex::String();
}

void P_GenericChoice::do_load_editable_value(P_GenericChoice_Option*, const Bex::BiniNode&)
{
    throw Bex::Exception(Bex::String(u"P_GenericChoice::do_load_editable_value() not overridden."));
}

void P_GenericChoice::do_save_editable_value(P_GenericChoice_Option*, Bex::BiniNode&)
{
    throw Bex::Exception(Bex::String(u"P_GenericChoice::do_save_editable_value() not overridden."));
}

} // namespace Tonvik
