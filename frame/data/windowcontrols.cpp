#include "frame/data/windowcontrols.h"

#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxdblookupcombobox.h"
#include "frame/controls/kxdblookuplistbox.h"
#include "frame/controls/kxedit.h"
#include "platform/db/datasource.h"
#include "platform/ui/componentorder.h"

#include <QComboBox>
#include <QLineEdit>

namespace kx {
namespace {

template <class Control> void SetLook(Control* control, const TStateLook& look) {
    control->SetColor(look.Color);
    control->SetSavedColor(look.Color);
    control->SetColorOnFocus(look.FocusColor);
}

template <class Control> bool Paint(QObject* object, ui::TColor color) {
    auto* control = qobject_cast<Control*>(object);
    if (control)
        control->SetColor(color);
    return control != nullptr;
}

template <class Control>
bool ShowsField(const QObject* object, const db::TDataSet* dataSet, const QString& fieldName) {
    const auto* control = qobject_cast<const Control*>(object);
    return control && control->DataSource() && control->DataSource()->DataSet() == dataSet &&
           control->DataField() == fieldName;
}

// Button edits: Tag 6 and Tag 7 keep the button for browsing, Tag 7 also
// keeps the text read-only.
template <class Control> void ApplyButtonEdit(Control* control, int tag, const TStateLook& look) {
    SetLook(control, look);
    control->SetReadOnly(look.ReadOnly || tag == 2 || tag == 7);
    control->SetButtonEnabled(tag == 6 || tag == 7 ? look.ReadOnly : !look.ReadOnly);
}

} // namespace

// Depth first, skipping the places of children already gone: a window that
// is being destroyed empties its child list one by one, and closing its
// data sets on the way recolours the controls still there.
void AppendChildren(const QObject* parent, QList<QObject*>& components) {
    for (QObject* child : parent->children()) {
        if (!child)
            continue;
        components.append(child);
        AppendChildren(child, components);
    }
}

QList<QObject*> WindowComponents(const QObject* window) {
    QList<QObject*> components = ui::ComponentOrder::Components(window);
    if (components.isEmpty())
        AppendChildren(window, components);
    return components;
}

QString ControlText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return {};
}

bool PaintFocusColor(QObject* control, ui::TColor color) {
    return Paint<TKXEdit>(control, color) || Paint<TKXDBEdit>(control, color) ||
           Paint<TKXComboBox>(control, color) || Paint<TKXDBComboBox>(control, color) ||
           Paint<TKXDBLookupListBox>(control, color) ||
           Paint<TKXDBLookupComboBox>(control, color) || Paint<TKXComboEdit>(control, color) ||
           Paint<TKXDBComboEdit>(control, color);
}

bool IsFieldControl(const QObject* control, const db::TDataSet* dataSet, const QString& fieldName) {
    return ShowsField<TKXDBEdit>(control, dataSet, fieldName) ||
           ShowsField<TKXDBComboBox>(control, dataSet, fieldName) ||
           ShowsField<TKXDBComboEdit>(control, dataSet, fieldName) ||
           ShowsField<TKXDBLookupComboBox>(control, dataSet, fieldName);
}

bool IsButtonEdit(const QObject* control) {
    return qobject_cast<const TKXComboEdit*>(control) ||
           qobject_cast<const TKXDBComboEdit*>(control);
}

bool LockDataEdit(QObject* control) {
    auto* edit = qobject_cast<TKXDBEdit*>(control);
    if (!edit)
        return false;
    edit->SetReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    return true;
}

bool ApplyStateLook(QObject* control, int tag, const TStateLook& look) {
    const bool editable = tag == 2;
    if (auto* edit = qobject_cast<TKXEdit*>(control)) {
        SetLook(edit, look);
        edit->setReadOnly(look.ReadOnly || editable);
    } else if (auto* dbEdit = qobject_cast<TKXDBEdit*>(control)) {
        SetLook(dbEdit, look);
        dbEdit->SetReadOnly(look.ReadOnly || editable);
    } else if (auto* dbCombo = qobject_cast<TKXDBComboBox*>(control)) {
        SetLook(dbCombo, look);
        dbCombo->SetReadOnly(look.ReadOnly || editable);
    } else if (auto* comboEdit = qobject_cast<TKXComboEdit*>(control)) {
        ApplyButtonEdit(comboEdit, tag, look);
    } else if (auto* dbComboEdit = qobject_cast<TKXDBComboEdit*>(control)) {
        ApplyButtonEdit(dbComboEdit, tag, look);
    } else if (auto* list = qobject_cast<TKXDBLookupListBox*>(control)) {
        SetLook(list, look);
    } else if (auto* lookup = qobject_cast<TKXDBLookupComboBox*>(control)) {
        SetLook(lookup, look);
    } else if (auto* combo = qobject_cast<TKXComboBox*>(control)) {
        // A plain combo box filters the list: usable only while browsing.
        SetLook(combo, look);
        combo->setEnabled(editable || look.ReadOnly);
    } else {
        return false;
    }
    return true;
}

} // namespace kx
