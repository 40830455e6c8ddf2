#include "bandreport/brexpreditor.h"

#include "bandreport/bandrep.h"
#include "bandreport/brexpressionbuilder.h"
#include "platform/ui/application.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kx {

TBRExprEditorForm::TBRExprEditorForm(TBRLabelEditor& editor, QWidget* parent)
    : TBRLabelEditorForm(editor, parent), BuilderButton(new QPushButton(QStringLiteral("..."))),
      MaskEdit(new QLineEdit) {
    setWindowTitle(QStringLiteral("Expression settings"));
    TextLabel->setText(QStringLiteral("Expression"));
    BuilderButton->setObjectName(QStringLiteral("BuilderButton"));
    MaskEdit->setObjectName(QStringLiteral("MaskEdit"));
    if (const auto* expr = qobject_cast<const TBRExpr*>(editor.Control()))
        MaskEdit->setText(expr->Mask());
    Properties()->addWidget(BuilderButton, 0, 4);
    Properties()->addWidget(new QLabel(QStringLiteral("Format mask")), 3, 0);
    Properties()->addWidget(MaskEdit, 3, 1, 1, 3);
    connect(BuilderButton, &QPushButton::clicked, this, ui::Guard([this] { BuildExpression(); }));
}

void TBRExprEditorForm::BuildExpression() {
    // The data sets on offer are those of the form that holds the report.
    TCustomBandRep* report = Editor().Control()->OwnerReport();
    QObject* form = report ? report->parent() : nullptr;
    QString expression = TextEdit->text();
    if (ShowExpressionBuilder(QString(), expression, form, report ? &report->Functions() : nullptr))
        TextEdit->setText(expression);
}

void TBRExprEditorForm::Apply() {
    TBRLabelEditorForm::Apply();
    if (auto* expr = qobject_cast<TBRExpr*>(Editor().Control()))
        expr->SetMask(MaskEdit->text());
}

TBRExprEditor::TBRExprEditor(TBRExpr* control) : TBRLabelEditor(control) {}

TBRExpr* TBRExprEditor::Expr() const {
    return qobject_cast<TBRExpr*>(Control());
}

QString TBRExprEditor::Text() const {
    return Expr()->Expression();
}

void TBRExprEditor::SetText(const QString& text) {
    Expr()->SetExpression(text);
}

const QMetaObject& TBRExprEditor::ControlClass() const {
    return TBRExpr::staticMetaObject;
}

QString TBRExprEditor::NamePrefix() const {
    return QStringLiteral("BREXPR");
}

QString TBRExprEditor::Description() const {
    return QStringLiteral("Expression Control");
}

bool TBRExprEditor::Edit(QWidget* parent) {
    TBRExprEditorForm form(*this, parent);
    if (ui::ExecModal(form) != QDialog::Accepted)
        return false;
    form.Apply();
    return true;
}

} // namespace kx
