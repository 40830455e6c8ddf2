#include "tablereport/colorform.h"

#include "tablereport/designerdialogs.h"
#include "tablereport/reportpainter.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

TColorForm::TColorForm(QWidget* parent)
    : QDialog(parent), Sample(new QLabel(QStringLiteral("颜色示例"), this)),
      TextButton(new QPushButton(QStringLiteral("前景色"), this)),
      BackButton(new QPushButton(QStringLiteral("背景色"), this)) {
    setWindowTitle(QStringLiteral("颜色设置"));
    Sample->setAlignment(Qt::AlignCenter);
    Sample->setMinimumSize(160, 60);
    Sample->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Sample);
    auto* row = new QHBoxLayout;
    row->addWidget(TextButton);
    row->addWidget(BackButton);
    layout->addLayout(row);
    layout->addWidget(OkCancelButtons(this));
    connect(TextButton, &QPushButton::clicked, this, [this] { Pick(TextColor); });
    connect(BackButton, &QPushButton::clicked, this, [this] { Pick(BackColor); });
    SetColors(TextColor, BackColor);
}

void TColorForm::SetColors(uint32_t text, uint32_t back) {
    TextColor = text;
    BackColor = back;
    QPalette palette = Sample->palette();
    palette.setColor(QPalette::WindowText, ColorFromColorRef(TextColor));
    palette.setColor(QPalette::Window, ColorFromColorRef(BackColor));
    Sample->setPalette(palette);
}

void TColorForm::Pick(uint32_t& color) {
    const QColor chosen = QColorDialog::getColor(ColorFromColorRef(color), this);
    if (!chosen.isValid())
        return;
    color = ColorRefFromColor(chosen);
    SetColors(TextColor, BackColor);
}

} // namespace kx
