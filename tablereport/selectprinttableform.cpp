#include "tablereport/selectprinttableform.h"

#include "tablereport/kxexcel.h"

#include <QPushButton>

namespace kx {

TSelectPrintTableForm::TSelectPrintTableForm(QWidget* parent)
    : QDialog(parent), KXExcel(new TKXExcel(this)), Button_Excel(new QPushButton(this)) {
    Button_Excel->setEnabled(false);
}

TSelectPrintTableForm::~TSelectPrintTableForm() = default;

} // namespace kx
