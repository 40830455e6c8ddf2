#include "tablereport/borderform.h"

#include "tablereport/designerdialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kx {

TBorderForm::TBorderForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("边框线"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const std::array<QString, 4> names{QStringLiteral("左边线"), QStringLiteral("上边线"),
                                       QStringLiteral("右边线"), QStringLiteral("下边线")};
    for (int side = 0; side < 4; ++side) {
        LineBoxes[side] = new QCheckBox(names[side], this);
        WidthEdits[side] = new QSpinBox(this);
        WidthEdits[side]->setRange(1, 2);
        grid->addWidget(LineBoxes[side], side, 0);
        grid->addWidget(WidthEdits[side], side, 1);
    }
    layout->addLayout(grid);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    QPushButton* all = buttons->addButton(QStringLiteral("添加全部"), QDialogButtonBox::ActionRole);
    QPushButton* none =
        buttons->addButton(QStringLiteral("取消全部"), QDialogButtonBox::ActionRole);
    connect(all, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { CheckAll(false); });
    layout->addWidget(buttons);
}

void TBorderForm::SetBorders(const TReportCell& cell) {
    const std::array<TBorder, 4> borders{cell.LeftBorder(), cell.TopBorder(), cell.RightBorder(),
                                         cell.BottomBorder()};
    for (int side = 0; side < 4; ++side) {
        LineBoxes[side]->setChecked(borders[side].Line);
        WidthEdits[side]->setValue(borders[side].Width);
    }
}

TBorder TBorderForm::Border(int side) const {
    return {LineBoxes[side]->isChecked(), WidthEdits[side]->value()};
}

void TBorderForm::CheckAll(bool on) {
    for (QCheckBox* box : LineBoxes)
        box->setChecked(on);
}

} // namespace kx
