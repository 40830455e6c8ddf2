#include "tablereport/frmnewtable.h"

#include "tablereport/designerdialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace kx {
namespace {

QLineEdit* DigitsEdit(const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), edit));
    return edit;
}

} // namespace

TfrmNewTable::TfrmNewTable(QWidget* parent)
    : QDialog(parent), RowsEdit(DigitsEdit(QStringLiteral("10"), this)),
      ColumnsEdit(DigitsEdit(QStringLiteral("6"), this)) {
    setWindowTitle(QStringLiteral("请输入表格的行列的数目"));
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("行："), RowsEdit);
    layout->addRow(QStringLiteral("列："), ColumnsEdit);
    layout->addRow(OkCancelButtons(this));
}

int TfrmNewTable::Rows() const {
    return RowsEdit->text().toInt();
}

int TfrmNewTable::Columns() const {
    return ColumnsEdit->text().toInt();
}

} // namespace kx
