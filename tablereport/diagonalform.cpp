#include "tablereport/diagonalform.h"

#include "tablereport/designerdialogs.h"
#include "tablereport/designerlogic.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

namespace kx {

TDiagonalForm::TDiagonalForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("斜线设置"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        const QString side = i < 3 ? QStringLiteral("左斜线") : QStringLiteral("右斜线");
        Boxes[i] = new QCheckBox(side + QString::number(i % 3 + 1), this);
        grid->addWidget(Boxes[i], i % 3, i / 3);
    }
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
}

int32_t TDiagonalForm::Diagonal() const {
    std::array<bool, 6> checked{};
    for (int i = 0; i < 6; ++i)
        checked[i] = Boxes[i]->isChecked();
    return DiagonalCode(checked);
}

} // namespace kx
