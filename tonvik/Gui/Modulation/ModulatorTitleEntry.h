#pragma once

#include "kiv/Widgets/Entry.h"

namespace Tonvik
{

class Modulator;

// The modulator's "Name", stored when the user presses Return or leaves the field.
class ModulatorTitleEntry : public Kiv::Entry
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit ModulatorTitleEntry(Modulator* a_modulator);
    const Kiv::WidgetClass& get_widget_class() const override;

    // Shows the stored name again, dropping an unstored edit.
    void refresh();
    // Stores the shown text as the name; true when the name changed.
    bool store();
    // Takes the focus with the whole name selected, ready to be typed over.
    void begin_rename();

    // After the user's edit was stored.
    Bex::Signal1<Kiv::WidgetEvent>& on_renamed() { return m_on_renamed; }

private:
    void p_on_return() { store(); }
    void p_on_focus_out() { store(); }

    Modulator* m_modulator;
    Bex::Signal1<Kiv::WidgetEvent> m_on_renamed;
};

} // namespace Tonvik
