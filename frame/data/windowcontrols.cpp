#include "frame/data/windowcontrols.h"

#include "core/inputcontrol.h"
#include "frame/controls/kxcustomcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "platform/ui/componentorder.h"

#include <QComboBox>
#include <QLineEdit>

namespace kx {

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
    auto* input = dynamic_cast<TInputControl*>(control);
    if (input)
        input->SetColor(color);
    return input != nullptr;
}

bool IsFieldControl(const QObject* control, const db::TDataSet* dataSet, const QString& fieldName) {
    const auto* input = dynamic_cast<const TInputControl*>(control);
    return input && input->ShowsField(dataSet, fieldName);
}

bool IsButtonEdit(const QObject* control) {
    return qobject_cast<const TKXCustomComboEdit*>(control);
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
    auto* input = dynamic_cast<TInputControl*>(control);
    if (!input)
        return false;
    input->SetColor(look.Color);
    input->SetSavedColor(look.Color);
    input->SetColorOnFocus(look.FocusColor);
    input->FollowDataState(look.ReadOnly, tag);
    return true;
}

} // namespace kx
