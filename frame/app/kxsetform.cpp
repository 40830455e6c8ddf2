#include "frame/app/kxsetform.h"

#include "frame/controls/formimenames.h"

#include <QWidget>

namespace kx {

TKXSetForm::TKXSetForm(QWidget* form) : QObject(form), form_(form) {}

void TKXSetForm::ApplyImeName(const QString&) {
    if (form_)
        ApplyImeToForm(form_, QString());
}

} // namespace kx

#include "moc_kxsetform.cpp"
