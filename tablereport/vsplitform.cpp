#include "tablereport/vsplitform.h"

#include "tablereport/designerdialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace kx {

TVSplitForm::TVSplitForm(QWidget* parent) : QDialog(parent), CountEdit(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("横向拆分单元格"));
    CountEdit->setRange(2, 50);
    CountEdit->setValue(2);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("拆分个数"), CountEdit);
    layout->addRow(OkCancelButtons(this));
}

} // namespace kx
