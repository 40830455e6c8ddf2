#include "frame/controls/formimenames.h"

#include "core/inputcontrol.h"
#include "frame/data/windowcontrols.h"
#include "frame/dialogs/finddialog.h"
#include "platform/ui/tag.h"

namespace kx {

void SetFormImeName(QObject* form, const QString& imeName) {
    for (QObject* component : WindowComponents(form))
        if (auto* input = dynamic_cast<TInputControl*>(component))
            input->SetImeName(imeName);
}

void ApplyImeToForm(QObject* form, const QString& imeName) {
    for (QObject* component : WindowComponents(form)) {
        if (component->isWidgetType() && ui::Tag(component) == 100)
            continue;
        if (auto* input = dynamic_cast<TInputControl*>(component))
            input->SetImeName(input->TypesText() ? imeName : QString());
        else if (auto* dialog = qobject_cast<TFindDialog*>(component))
            dialog->ImeName = imeName;
    }
}

} // namespace kx
