#pragma once

#include "bex/Core/Vector.h"

#include <cstdint>
#include <memory>

namespace Kiv
{

class StyleDeclarationBlock;
class StyleManager;
class StyleValue;

class StyleDeclarationBlockEntry
{
public:
    virtual ~StyleDeclarationBlockEntry() = default;
};

// One "property: value" declaration; holds one reference on the value.
class StylePropertyValue : public StyleDeclarationBlockEntry
{
public:
    StylePropertyValue(StyleManager* a_manager, uint32_t a_property_id, StyleValue* a_value);
    ~StylePropertyValue() override;
    StylePropertyValue(const StylePropertyValue&) = delete;
    StylePropertyValue& operator=(const StylePropertyValue&) = delete;

    StyleManager* get_manager() const { return m_manager; }
    uint32_t get_property_id() const { return m_property_id; }
    const StyleValue& get_value() const { return *m_value; }
    StyleValue& get_value() { return *m_value; }

private:
    StyleManager* m_manager;
    uint32_t m_property_id;
    StyleValue* m_value;
};

// Another block applied in this entry's place; the block is not owned.
class StyleNestedBlock : public StyleDeclarationBlockEntry
{
public:
    explicit StyleNestedBlock(const StyleDeclarationBlock* a_block) : m_block(a_block) {}
    const StyleDeclarationBlock* get_block() const { return m_block; }

private:
    const StyleDeclarationBlock* m_block;
};

class StyleDeclarationBlock
{
public:
    StyleDeclarationBlock() = default;
    StyleDeclarationBlock(const StyleDeclarationBlock&) = delete;
    StyleDeclarationBlock& operator=(const StyleDeclarationBlock&) = delete;
    virtual ~StyleDeclarationBlock() = default;

    void add_entry(std::unique_ptr<StyleDeclarationBlockEntry> a_entry)
    {
        m_entries.push_back(std::move(a_entry));
    }
    const Bex::Vector<std::unique_ptr<StyleDeclarationBlockEntry>>& get_entries() const
    {
        return m_entries;
    }
    // Recomputes the pixel sizes of the values declared here.
    void rescale(float a_base);

private:
    Bex::Vector<std::unique_ptr<StyleDeclarationBlockEntry>> m_entries;
};

} // namespace Kiv
