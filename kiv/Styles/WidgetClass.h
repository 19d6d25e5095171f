#pragma once

#include "bex/Containers/Map.h"
#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>

namespace Kiv
{

class WidgetClassList;

// The style identity of a widget class: its name and the name of its base class. Each widget
// class has one static record, registered during static initialisation; the base names are
// resolved at start-up, so records may be registered in any order.
class WidgetClass
{
public:
    // Registers in the process-wide list.
    WidgetClass(const char* a_name, const char* a_base_name);
    WidgetClass(WidgetClassList& a_list, const char* a_name, const char* a_base_name);
    WidgetClass(const WidgetClass&) = delete;
    WidgetClass& operator=(const WidgetClass&) = delete;

    const Bex::String& get_name() const { return m_name; }
    const Bex::String& get_base_name() const { return m_base_name; }
    const WidgetClass* get_base() const { return m_base; }
    uint32_t get_index() const { return m_index; }

    // True for the class itself and for every class it derives from.
    bool derives_from(const WidgetClass& a_class) const;

private:
    friend class WidgetClassList;

    Bex::String m_name;
    Bex::String m_base_name;
    const WidgetClass* m_base = nullptr;
    uint32_t m_index = 0;
};

// All registered classes in registration order; index 0 stands for "no class".
class WidgetClassList
{
public:
    WidgetClassList();
    WidgetClassList(const WidgetClassList&) = delete;
    WidgetClassList& operator=(const WidgetClassList&) = delete;

    static WidgetClassList& get_global();

    void add(WidgetClass* a_class);
    // Links every class to its base; throws "Invalid base class name." for an unknown base and
    // refuses a base chain that comes back to its start.
    void resolve_bases();

    // Null when no class has the name.
    const WidgetClass* find(std::u16string_view a_name) const;
    // 0 when no class has the name.
    uint32_t find_index(std::u16string_view a_name) const;
    const WidgetClass* get(uint32_t a_index) const { return m_classes[a_index]; }
    // Including the reserved index 0.
    uint32_t get_count() const { return uint32_t(m_classes.size()); }

private:
    Bex::Vector<WidgetClass*> m_classes;
    Bex::Map<Bex::String, WidgetClass*> m_classes_by_name;
};

} // namespace Kiv
