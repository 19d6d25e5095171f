#pragma once

#include "kiv/Widgets/TextCommandButton.h"

namespace Tonvik
{

// A small command button of a modulator's title bar.
class ModulatorTitleBarCommandButton : public Kiv::TextCommandButton
{
public:
    static Kiv::WidgetClass s_widget_class;

    ModulatorTitleBarCommandButton(const Bex::String& a_text, const Bex::String& a_hint);
    const Kiv::WidgetClass& get_widget_class() const override;

    // What the button does, in words, for the hint line and for tests.
    const Bex::String& get_hint() const { return m_hint; }

private:
    Bex::String m_hint;
};

} // namespace Tonvik
