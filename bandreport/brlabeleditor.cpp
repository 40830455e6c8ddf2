#include "bandreport/brlabeleditor.h"

#include "platform/ui/application.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

namespace {

constexpr int kLargestSize = 9999;

QLineEdit* SizeEdit(long double value) {
    auto* edit = new QLineEdit(QString::number(qRound(double(value))));
    edit->setValidator(new QIntValidator(0, kLargestSize, edit));
    return edit;
}

} // namespace

TBRLabelEditorForm::TBRLabelEditorForm(TBRLabelEditor& editor, QWidget* parent)
    : QDialog(parent), TextLabel(new QLabel(QStringLiteral("Text"))), TextEdit(new QLineEdit),
      WidthEdit(SizeEdit(editor.Control()->Size().GetDimension(TBRPrintableSize::WidthIndex))),
      HeightEdit(SizeEdit(editor.Control()->Size().GetDimension(TBRPrintableSize::HeightIndex))),
      AutosizeBox(new QCheckBox(QStringLiteral("Autosize"))),
      StretchBox(new QCheckBox(QStringLiteral("Stretch"))),
      TransparentBox(new QCheckBox(QStringLiteral("Transparent"))),
      OkButton(new QPushButton(QStringLiteral("OK"))),
      CancelButton(new QPushButton(QStringLiteral("Cancel"))), editor_(editor),
      properties_(new QGridLayout), shownWidth_(WidthEdit->text()),
      shownHeight_(HeightEdit->text()) {
    setWindowTitle(QStringLiteral("Text Settings"));
    const TBRCustomLabel* control = editor.Control();
    TextEdit->setText(editor.Text());
    AutosizeBox->setChecked(control->AutoSize);
    StretchBox->setChecked(control->AutoStretch);
    TransparentBox->setChecked(control->Transparent);
    properties_->addWidget(TextLabel, 0, 0);
    properties_->addWidget(TextEdit, 0, 1, 1, 3);
    properties_->addWidget(new QLabel(QStringLiteral("Width")), 1, 0);
    properties_->addWidget(WidthEdit, 1, 1);
    properties_->addWidget(new QLabel(QStringLiteral("Height")), 1, 2);
    properties_->addWidget(HeightEdit, 1, 3);
    properties_->addWidget(AutosizeBox, 2, 1);
    properties_->addWidget(StretchBox, 2, 2);
    properties_->addWidget(TransparentBox, 2, 3);
    auto* group = new QGroupBox(QStringLiteral("Properties"));
    group->setLayout(properties_);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    TextEdit->setMinimumWidth(260);
}

void TBRLabelEditorForm::Apply() {
    TBRCustomLabel* control = editor_.Control();
    editor_.SetText(TextEdit->text());
    // Sizes are shown whole: one the user left alone keeps its fraction.
    if (WidthEdit->text() != shownWidth_)
        control->Size().SetDimension(TBRPrintableSize::WidthIndex, WidthEdit->text().toInt());
    if (HeightEdit->text() != shownHeight_)
        control->Size().SetDimension(TBRPrintableSize::HeightIndex, HeightEdit->text().toInt());
    control->AutoSize = AutosizeBox->isChecked();
    control->AutoStretch = StretchBox->isChecked();
    control->Transparent = TransparentBox->isChecked();
}

TBRLabelEditor::TBRLabelEditor(TBRCustomLabel* control) : control_(control) {}

ui::TColor TBRLabelEditor::Color() const {
    return control_->Color;
}

void TBRLabelEditor::SetColor(ui::TColor color) {
    control_->Color = color;
}

QFont TBRLabelEditor::Font() const {
    return control_->Font();
}

void TBRLabelEditor::SetFont(const QFont& font) {
    control_->SetFont(font);
}

TAlignment TBRLabelEditor::Alignment() const {
    return control_->Alignment();
}

void TBRLabelEditor::SetAlignment(TAlignment alignment) {
    control_->SetAlignment(alignment);
}

QString TBRLabelEditor::Text() const {
    return control_->Caption();
}

void TBRLabelEditor::SetText(const QString& text) {
    if (auto* label = qobject_cast<TBRLabel*>(control_.data()))
        label->SetCaption(text);
}

const QMetaObject& TBRLabelEditor::ControlClass() const {
    return TBRLabel::staticMetaObject;
}

QString TBRLabelEditor::NamePrefix() const {
    return QStringLiteral("BRLABEL");
}

QString TBRLabelEditor::Description() const {
    return QStringLiteral("Text Control");
}

bool TBRLabelEditor::Edit(QWidget* parent) {
    TBRLabelEditorForm form(*this, parent);
    if (ui::ExecModal(form) != QDialog::Accepted)
        return false;
    form.Apply();
    return true;
}

} // namespace kx
