#pragma once
// The settings dialog of an expression control: its expression, built by
// hand or with the expression builder, its format mask, size and flags.

#include "bandreport/brlabeleditor.h"

namespace kx {

class TBRExprEditorForm : public TBRLabelEditorForm {
    Q_OBJECT
public:
    explicit TBRExprEditorForm(TBRLabelEditor& editor, QWidget* parent = nullptr);

    void Apply() override;
    // Opens the expression builder on the expression.
    void BuildExpression();

    QPushButton* BuilderButton;
    QLineEdit* MaskEdit;
};

class TBRExprEditor : public TBRLabelEditor {
public:
    explicit TBRExprEditor(TBRExpr* control);

    TBRExpr* Expr() const;
    QString Text() const override;
    void SetText(const QString& text) override;
    const QMetaObject& ControlClass() const override;
    QString NamePrefix() const override;
    QString Description() const override;
    bool Edit(QWidget* parent = nullptr) override;
};

} // namespace kx
