#include "kiv/Styles/WidgetClass.h"

#include "bex/Core/Assert.h"
#include "bex/Core/FormatMessage.h"

namespace Kiv
{

WidgetClass::WidgetClass(const char* a_name, const char* a_base_name)
    : WidgetClass(WidgetClassList::get_global(), a_name, a_base_name)
{
}

WidgetClass::WidgetClass(WidgetClassList& a_list, const char* a_name, const char* a_base_name)
    : m_name(Bex::String::from_ascii(a_name)), m_base_name(Bex::String::from_ascii(a_base_name))
{
    a_list.add(this);
}

bool WidgetClass::derives_from(const WidgetClass& a_class) const
{
    for (const WidgetClass* current = this; current; current = current->m_base)
    {
        if (current == &a_class)
            return true;
    }
    return false;
}

WidgetClassList::WidgetClassList() : m_classes{nullptr} {}

WidgetClassList& WidgetClassList::get_global()
{
    static WidgetClassList list;
    return list;
}

void WidgetClassList::add(WidgetClass* a_class)
{
    BEX_ASSERT(a_class);
    BEX_ASSERT(!m_classes_by_name.has_key(a_class->m_name));
    a_class->m_index = uint32_t(m_classes.size());
    m_classes.push_back(a_class);
    m_classes_by_name.insert_new(a_class->m_name, a_class);
}

void WidgetClassList::resolve_bases()
{
    for (uint32_t index = 1; index < m_classes.size(); ++index)
    {
        WidgetClass* widget_class = m_classes[index];
        if (widget_class->m_base_name.empty())
        {
            widget_class->m_base = nullptr;
            continue;
        }
        WidgetClass* const* base = m_classes_by_name.find_value(widget_class->m_base_name);
        if (!base)
            throw Bex::Exception(u"Invalid base class name.");
        widget_class->m_base = *base;
    }
    // Derivation checks and manager inheritance walk base links, so a loop would never end.
    for (uint32_t index = 1; index < m_classes.size(); ++index)
    {
        uint32_t steps = 0;
        for (const WidgetClass* current = m_classes[index]->m_base; current;
             current = current->m_base)
        {
            if (current == m_classes[index] || ++steps > m_classes.size())
                throw Bex::Exception(Bex::format_message(
                    u"Widget class \"@1\" derives from itself.", {m_classes[index]->m_name}));
        }
    }
}

const WidgetClass* WidgetClassList::find(std::u16string_view a_name) const
{
    WidgetClass* const* found = m_classes_by_name.find_value(Bex::String(a_name));
    return found ? *found : nullptr;
}

uint32_t WidgetClassList::find_index(std::u16string_view a_name) const
{
    const WidgetClass* found = find(a_name);
    return found ? found->get_index() : 0;
}

} // namespace Kiv
