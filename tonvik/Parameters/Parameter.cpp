#include "tonvik/Parameters/Parameter.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Core/Id.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/Host.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Parameters/ParameterEditor.h"
#include "tonvik/Parameters/ParameterOwner.h"
#include "tonvik/Parameters/ParameterSmoother.h"
#include "tonvik/Parameters/ParameterVariation.h"

namespace Tonvik
{

namespace
{

void inert_conversion(Parameter*) {}

[[noreturn]] void throw_not_overridden(const char16_t* a_text)
{
    throw Bex::Exception(Bex::String(a_text));
}

Bex::String missing_child_text(uint32_t a_id)
{
    return Bex::format_message(u"No child node with id @1.", {Bex::BiniNode::id_to_string(a_id)});
}

// Restores the report's current parameter however the load ends.
class CurrentParameterScope
{
public:
    CurrentParameterScope(LoadReport& a_report, Parameter* a_parameter)
        : m_report(a_report), m_previous(a_report.get_current_parameter())
    {
        m_report.set_current_parameter(a_parameter);
    }
    ~CurrentParameterScope() { m_report.set_current_parameter(m_previous); }

private:
    LoadReport& m_report;
    Parameter* m_previous;
};

} // namespace

Parameter::Parameter()
    : ParameterNode(ParameterNodeKind_PARAMETER), m_denormalize(&inert_conversion),
      m_normalize(&inert_conversion)
{
    for (CommitListNode& node : m_commit_nodes)
        node.m_parameter = this;
}

Parameter::~Parameter() noexcept(false)
{
    BEX_ASSERT(m_destroy_called);
}

bool Parameter::do_load(const Bex::BiniNode&, LoadReport&)
{
    throw_not_overridden(u"Parameter::do_load() not overridden.");
}

void Parameter::do_save(Bex::BiniNode&)
{
    throw_not_overridden(u"Parameter::do_save() not overridden.");
}

bool Parameter::from_string(const Bex::String&)
{
    throw_not_overridden(u"Parameter::from_string() not overridden.");
}

void Parameter::do_copy_value(const Parameter&) {}

Bex::String Parameter::to_string()
{
    Bex::String text;
    to_string(text);
    return text;
}

void Parameter::to_string(Bex::String&)
{
    throw_not_overridden(u"Parameter::to_string(String&)");
}

void Parameter::get_display_text(Bex::String& a_text)
{
    a_text = u"No information.";
}

void Parameter::set_committable_callback(CommittableCallback* a_callback)
{
    // Take the new reference first: the same callback set again must survive the release.
    if (a_callback)
        a_callback->add_reference();
    if (m_committable_callback)
        m_committable_callback->release();
    m_committable_callback = a_callback;
}

void Parameter::append_variation(ParameterVariation* a_variation, bool a_make_default)
{
    BEX_ASSERT(a_variation);
    BEX_ASSERT(a_variation->m_id);
    BEX_ASSERT(!find_variation(a_variation->m_id));
    m_variations.push_back(a_variation);
    if (a_make_default)
        m_default_variation = a_variation;
}

ParameterVariation* Parameter::find_variation(uint32_t a_id) const
{
    for (ParameterVariation* variation : m_variations)
    {
        if (variation->m_id == a_id)
            return variation;
    }
    return nullptr;
}

void Parameter::p_use_default_variation()
{
    BEX_ASSERT(m_variations.size());
    p_use_variation(m_default_variation ? m_default_variation : m_variations.front());
}

void Parameter::p_use_variation(ParameterVariation* a_variation)
{
    BEX_ASSERT(a_variation);
    if (a_variation == m_current_variation)
        return;
    m_current_variation = a_variation;
    do_use_variation();
    const Bex::Vector<ParameterEditor*> editors = m_editors;
    for (ParameterEditor* editor : editors)
        editor->on_parameter_variation_changed(this);
}

ParameterOwner* Parameter::get_modulator() const
{
    return m_owner ? m_owner->get_modulator_owner() : nullptr;
}

bool Parameter::is_owned_by(ParameterOwner* a_owner) const
{
    if (!m_owner)
        return false;
    switch (a_owner->m_owner_kind)
    {
    case ParameterOwnerKind_DEVICE:
    case ParameterOwnerKind_MODULATOR_ENTRY:
        return a_owner == m_owner;
    case ParameterOwnerKind_MODULATOR:
        return a_owner == get_modulator();
    default:
        throw Bex::Exception(Bex::String(u"Invalid parameter owner."));
    }
}

void Parameter::get_full_name(Bex::String& a_text) const
{
    a_text.clear();
    if (m_owner)
        m_owner->append_name_prefix(a_text);
    a_text += m_name;
}

void Parameter::get_name_and_value(Bex::String& a_text)
{
    Bex::String value;
    get_display_text(value);
    a_text = m_name + u": " + value;
}

void Parameter::add_editor(ParameterEditor* a_editor)
{
    BEX_ASSERT(a_editor);
    m_editors.push_back(a_editor);
}

void Parameter::remove_editor(ParameterEditor* a_editor)
{
    for (size_t i = 0; i < m_editors.size(); ++i)
    {
        if (m_editors[i] == a_editor)
        {
            m_editors.remove_at(i);
            return;
        }
    }
}

void Parameter::notify_definition_changed()
{
    const Bex::Vector<ParameterEditor*> editors = m_editors;
    for (ParameterEditor* editor : editors)
        editor->on_parameter_definition_changed(this);
}

Parameter::EditGesture::EditGesture(Parameter* a_parameter) : m_parameter(a_parameter)
{
    if (++m_parameter->m_edit_depth == 1 && m_parameter->m_host)
        m_parameter->m_host->begin_edit(m_parameter);
}

Parameter::EditGesture::~EditGesture()
{
    if (--m_parameter->m_edit_depth == 0 && m_parameter->m_host)
        m_parameter->m_host->end_edit(m_parameter);
}

Parameter::ParameterLock::ParameterLock(Parameter* a_parameter) : m_device(a_parameter->m_device)
{
    BEX_ASSERT(m_device);
    m_device->get_parameter_lock().lock();
}

Parameter::ParameterLock::~ParameterLock()
{
    m_device->get_parameter_lock().unlock();
}

void Parameter::p_after_user_store()
{
    if (m_normalizable && m_host && m_host->m_busy == 0)
        m_host->automate(this, m_normalized_value);
    if (!m_deferred_commit)
    {
        do_commit();
        if (m_committable_callback)
            m_committable_callback->call();
    }
    else
    {
        m_device->queue_commit(this, CommitReason_USER);
    }
    m_device->parameter_changed(this);
}

void Parameter::set_normalized_value(float a_value)
{
    EditGesture gesture(this);
    {
        ParameterLock lock(this);
        m_normalized_value = a_value;
        m_denormalize(this);
    }
    p_after_user_store();
}

void Parameter::set_normalized_value_from_host(float a_value)
{
    ParameterLock lock(this);
    m_normalized_value = a_value;
    m_denormalize(this);
    m_device->queue_commit(this, CommitReason_HOST);
    m_device->parameter_changed(this);
}

bool Parameter::load(const Bex::BiniNode& a_node, LoadReport& a_report)
{
    CurrentParameterScope scope(a_report, this);
    try
    {
        const uint32_t value_id = Bex::make_id("Valu");
        const Bex::BiniNode* value = a_node.find_child(value_id);
        if (!value)
        {
            a_report.add_problem(missing_child_text(value_id));
            do_reset();
            return false;
        }
        if (m_variations.size())
        {
            const Bex::BiniNode* variation_node = a_node.find_child(Bex::make_id("Vari"));
            ParameterVariation* variation = nullptr;
            if (variation_node && variation_node->get_value_type() == Bex::BiniValueType_UINT32 &&
                variation_node->get_value_uint32() != 0)
                variation = find_variation(variation_node->get_value_uint32());
            if (variation)
                p_use_variation(variation);
            else
                p_use_default_variation();
        }
        if (!do_load(*value, a_report))
        {
            do_reset();
            return false;
        }
        if (m_normalizable)
        {
            const uint32_t normalized_id = Bex::make_id("Norm");
            const Bex::BiniNode* normalized = a_node.find_child(normalized_id);
            if (!normalized)
                a_report.add_problem(missing_child_text(normalized_id));
            else if (normalized->get_value_type() != Bex::BiniValueType_FLOAT)
                a_report.add_problem(Bex::String(u"Invalid value type."));
            else
            {
                const float value_read = normalized->get_value_float();
                if (value_read >= 0.0f && value_read <= 1.0f)
                    m_normalized_value = value_read;
                else
                    a_report.add_problem(Bex::String(u"Invalid value."));
            }
        }
        return true;
    }
    catch (const Bex::Exception& exception)
    {
        a_report.add_problem(exception.get_message());
        do_reset();
        return false;
    }
    catch (...)
    {
        do_reset();
        return false;
    }
}

void Parameter::rebuild_smoother()
{
    if (!m_device)
        return;
    ScopedLock lock(m_device->get_processing_lock());
    if (m_smoother)
    {
        if (m_smoother->m_enlisted)
        {
            do_commit();
            list_remove(m_smoother);
        }
        delete m_smoother;
        m_smoother = nullptr;
    }
    if (m_device->is_ready_for_processing() && m_device->get_smoothing_reason_mask() != 0)
    {
        m_smoother = create_smoother();
        if (m_smoother)
        {
            m_smoother->reset();
            m_smoother->update_rate();
        }
    }
}

void Parameter::destroy()
{
    do_destroy();
    const Bex::Vector<ParameterEditor*> editors = m_editors;
    for (ParameterEditor* editor : editors)
        editor->on_parameter_destroyed(this);
    if (m_device)
    {
        // The audio thread may hold this parameter in a commit queue or its smoother in the
        // running list; both go before the memory does.
        ScopedLock lock(m_device->get_processing_lock());
        if (m_device_index >= 0)
            m_device->unregister_parameter(this);
        if (m_smoother && m_smoother->m_enlisted)
            list_remove(m_smoother);
    }
    delete m_smoother;
    m_smoother = nullptr;
    set_committable_callback(nullptr);
    for (ParameterVariation* variation : m_variations)
        delete variation;
    m_variations.clear();
    m_current_variation = nullptr;
    m_default_variation = nullptr;
    m_destroy_called = true;
    delete this;
}

} // namespace Tonvik
