#pragma once

#include "kiv/Widgets/Label.h"

namespace Tonvik
{

// The name over a column of the entry grid.
class EntryListColumnHeader : public Kiv::Label
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit EntryListColumnHeader(const Bex::String& a_text) : Kiv::Label(a_text) {}
    const Kiv::WidgetClass& get_widget_class() const override;
};

} // namespace Tonvik
