#pragma once

#include "bex/Containers/Map.h"
#include "bex/Core/Vector.h"

#include <cstdint>

namespace Bex
{
class BiniNode;
}

namespace Tonvik
{

class Device;
class LoadReport;
class Parameter;
class ParameterGroup;

// A tree of parameters with its flat list in tree order and the lookup by id. Owns the root
// group and with it every parameter.
class ParameterCollection
{
public:
    ParameterCollection();
    ~ParameterCollection();
    ParameterCollection(const ParameterCollection&) = delete;
    ParameterCollection& operator=(const ParameterCollection&) = delete;

    ParameterGroup* get_root() const { return m_root; }
    const Bex::Vector<Parameter*>& get_parameters() const { return m_parameters; }

    // Collects the tree, registers each parameter with the device and brings it to its default.
    void initialize(Device* a_device);
    Parameter* find(uint32_t a_id) const;
    void save(Bex::BiniNode& a_node) const;
    void load(const Bex::BiniNode& a_node, LoadReport& a_report);
    void reset_all();
    void copy_values_from(const ParameterCollection& a_other);
    void commit_all(bool a_call_callbacks);

    void p_collect(ParameterGroup* a_group);

private:
    ParameterGroup* m_root;
    Bex::Vector<Parameter*> m_parameters;
    Bex::Map<uint32_t, Parameter*> m_parameter_map;
};

} // namespace Tonvik
