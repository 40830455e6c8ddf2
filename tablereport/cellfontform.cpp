#include "tablereport/cellfontform.h"

#include "tablereport/designerdialogs.h"
#include "tablereport/designerlogic.h"
#include "tablereport/reportpainter.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

TCellFontForm::TCellFontForm(QWidget* parent)
    : QDialog(parent), FontBox(new QFontDialog(this)),
      ColorButton(new QPushButton(QStringLiteral("颜色..."), this)) {
    setWindowTitle(QStringLiteral("字体"));
    FontBox->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    FontBox->setWindowFlags(Qt::Widget);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FontBox);
    layout->addWidget(ColorButton);
    layout->addWidget(OkCancelButtons(this));
    connect(ColorButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(ColorFromColorRef(TextColor), this);
        if (chosen.isValid())
            TextColor = ColorRefFromColor(chosen);
    });
}

void TCellFontForm::SetFont(const TLogFont& font) {
    QFont shown(font.FaceName());
    shown.setPointSize(std::max(1, PointSizeFromHeight(font.Height(), kLayoutDpi)));
    shown.setBold(font.Weight() >= 700);
    shown.setItalic(font.Italic());
    shown.setUnderline(font.Underline());
    shown.setStrikeOut(font.StrikeOut());
    FontBox->setCurrentFont(shown);
}

TLogFont TCellFontForm::LogFont() const {
    const QFont chosen = FontBox->currentFont();
    TLogFont font = FontBarFont(chosen.family(), QString::number(chosen.pointSize()), chosen.bold(),
                                chosen.italic(), chosen.underline());
    font.SetStrikeOut(chosen.strikeOut());
    return font;
}

} // namespace kx
