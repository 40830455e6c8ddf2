#include "frame/controls/formimenames.h"

#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcustomcomboedit.h"
#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxdblookupcombobox.h"
#include "frame/controls/kxdblookuplistbox.h"
#include "frame/controls/kxedit.h"
#include "frame/data/windowcontrols.h"
#include "frame/dialogs/finddialog.h"
#include "platform/ui/tag.h"

namespace kx {
namespace {

// Gives a typed box the name, or none when typeAware and it is not a text
// box; false when the component is no such box.
template <class Box> bool NameTyped(QObject* component, const QString& name, bool typeAware) {
    auto* box = qobject_cast<Box*>(component);
    if (box)
        box->SetImeName(!typeAware || box->EditType() == etString ? name : QString());
    return box != nullptr;
}

template <class Box> bool NameLookup(QObject* component, const QString& name) {
    auto* box = qobject_cast<Box*>(component);
    if (box)
        box->SetImeName(name);
    return box != nullptr;
}

bool NameAny(QObject* component, const QString& name, bool typeAware) {
    return NameTyped<TKXEdit>(component, name, typeAware) ||
           NameTyped<TKXDBEdit>(component, name, typeAware) ||
           NameTyped<TKXComboBox>(component, name, typeAware) ||
           NameTyped<TKXDBComboBox>(component, name, typeAware) ||
           NameTyped<TKXCustomComboEdit>(component, name, typeAware) ||
           NameLookup<TKXDBLookupListBox>(component, name) ||
           NameLookup<TKXDBLookupComboBox>(component, name);
}

} // namespace

void SetFormImeName(QObject* form, const QString& imeName) {
    for (QObject* component : WindowComponents(form))
        NameAny(component, imeName, false);
}

void ApplyImeToForm(QObject* form, const QString& imeName) {
    for (QObject* component : WindowComponents(form)) {
        if (component->isWidgetType() && ui::Tag(component) == 100)
            continue;
        if (!NameAny(component, imeName, true))
            if (auto* dialog = qobject_cast<TFindDialog*>(component))
                dialog->ImeName = imeName;
    }
}

} // namespace kx
