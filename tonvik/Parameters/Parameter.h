#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "tonvik/Parameters/ParameterNode.h"
#include "tonvik/Parameters/RelaxedAtomic.h"

#include <cstdint>
#include <string>

namespace Bex
{
class BiniNode;
}

namespace Tonvik
{

class CommittableCallback;
class Device;
class Host;
class LoadReport;
class Modulatee;
class Parameter;
class ParameterEditor;
class ParameterOwner;
class ParameterSmoother;
class ParameterVariation;

// A parameter's place in one of the device's two commit queues.
struct CommitListNode
{
    bool m_enlisted = false;
    CommitListNode* m_previous = nullptr;
    CommitListNode* m_next = nullptr;
    Parameter* m_parameter = nullptr;
    uint32_t m_reason = 0;
};

enum CommitReason : uint32_t
{
    CommitReason_USER = 1,
    CommitReason_HOST = 2,
};

// A value that the host, the editor, presets or modulation can see. Three forms of one value:
// normalized (the host's 0..1), the type's own value, and whatever the audio code reads, which the
// type writes in do_commit. Deleted only through destroy().
class Parameter : public ParameterNode
{
public:
    using ConversionHook = void (*)(Parameter*);

    Parameter();
    ~Parameter() noexcept(false) override;
    Parameter(const Parameter&) = delete;
    Parameter& operator=(const Parameter&) = delete;

    virtual void do_initialize() {}
    virtual void do_commit() {}
    virtual bool do_load(const Bex::BiniNode& a_node, LoadReport& a_report);
    virtual void do_reset() {}
    virtual void do_save(Bex::BiniNode& a_node);
    virtual void do_use_variation() {}
    virtual bool from_string(const Bex::String& a_text);
    virtual void do_copy_value(const Parameter& a_other);
    virtual void do_destroy() {}
    virtual void do_update_precision() {}
    virtual void do_update_sample_rate() {}
    virtual Modulatee* get_modulatee() { return nullptr; }
    Bex::String to_string();
    virtual void to_string(Bex::String& a_text);
    virtual void get_plain_text(Bex::String&) {}
    virtual void get_plain_text(std::string&) {}
    virtual void get_display_text(Bex::String& a_text);
    virtual ParameterSmoother* create_smoother() { return nullptr; }

    uint32_t get_id() const { return m_id; }
    void set_id(uint32_t a_id) { m_id = a_id; }
    const Bex::String& get_name() const { return m_name; }
    void set_name(const Bex::String& a_name) { m_name = a_name; }
    const Bex::String& get_short_name() const { return m_short_name; }
    void set_short_name(const Bex::String& a_name) { m_short_name = a_name; }
    float get_normalized_value() const { return m_normalized_value; }
    Device* get_device() const { return m_device; }

    void set_committable_callback(CommittableCallback* a_callback);
    CommittableCallback* get_committable_callback() const { return m_committable_callback; }

    void append_variation(ParameterVariation* a_variation, bool a_make_default);
    ParameterVariation* find_variation(uint32_t a_id) const;
    void p_use_default_variation();
    void p_use_variation(ParameterVariation* a_variation);

    ParameterOwner* get_modulator() const;
    bool is_owned_by(ParameterOwner* a_owner) const;
    void get_full_name(Bex::String& a_text) const;
    void get_name_and_value(Bex::String& a_text);

    void add_editor(ParameterEditor* a_editor);
    void remove_editor(ParameterEditor* a_editor);
    size_t get_editor_count() const { return m_editors.size(); }
    // Definition or modulation changed: every editor shows the parameter anew.
    void notify_definition_changed();

    // The user's change: edit gesture and automation toward the host, then commit.
    void set_normalized_value(float a_value);
    // The host's change: no gesture, no automation, always through the commit queue.
    void set_normalized_value_from_host(float a_value);

    bool load(const Bex::BiniNode& a_node, LoadReport& a_report);

    // Replaces the smoother after a definition, variation or smoothing setting change.
    void rebuild_smoother();

    void destroy();

    Bex::String m_short_name;
    CommitListNode m_commit_nodes[2];
    CommittableCallback* m_committable_callback = nullptr;
    uint32_t m_minimum_plugin_internal_version = 1;
    ParameterVariation* m_current_variation = nullptr;
    ParameterVariation* m_default_variation = nullptr;
    Bex::Vector<ParameterVariation*> m_variations;
    Device* m_device = nullptr;
    RelaxedAtomic<float> m_normalized_value = 0.0f;
    bool m_modulator_parameter = false;
    ParameterOwner* m_owner = nullptr;
    int32_t m_edit_depth = 0;
    Bex::Vector<ParameterEditor*> m_editors;
    Host* m_host = nullptr;
    uint32_t m_id = 0;
    int32_t m_host_index = -1;
    Bex::String m_name;
    bool m_normalizable = false;
    int32_t m_host_order_key = 0;
    bool m_persistent = true;
    bool m_deferred_commit = true;
    bool m_host_visible = true;
    Bex::String m_third_text;
    ParameterSmoother* m_smoother = nullptr;
    int32_t m_changed_list_positions[2] = {-1, -1};
    int32_t m_device_index = -1;
    bool m_destroy_called = false;
    ConversionHook m_denormalize;
    ConversionHook m_normalize;

protected:
    // The typed setters follow the user's change path with these: the gesture spans the whole
    // change, the lock only the store, and p_after_user_store runs when the value changed.
    class EditGesture
    {
    public:
        explicit EditGesture(Parameter* a_parameter);
        ~EditGesture();
        EditGesture(const EditGesture&) = delete;
        EditGesture& operator=(const EditGesture&) = delete;

    private:
        Parameter* m_parameter;
    };

    class ParameterLock
    {
    public:
        explicit ParameterLock(Parameter* a_parameter);
        ~ParameterLock();
        ParameterLock(const ParameterLock&) = delete;
        ParameterLock& operator=(const ParameterLock&) = delete;

    private:
        Device* m_device;
    };

    void p_after_user_store();

    // The whole user change of a plain value field: gesture, store and normalize under the lock,
    // then commit when the value really changed.
    template <typename Field, typename Value>
    void p_set_user_value(Field& a_field, const Value& a_value)
    {
        EditGesture gesture(this);
        bool changed;
        {
            ParameterLock lock(this);
            changed = a_value != Value(a_field);
            if (changed)
            {
                a_field = a_value;
                m_normalize(this);
            }
        }
        if (changed)
            p_after_user_store();
    }
};

} // namespace Tonvik
