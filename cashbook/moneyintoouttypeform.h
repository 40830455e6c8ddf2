#pragma once
// The in/out subjects of the cash book, a tree up to four levels deep.

#include "cashbook/codetreeform.h"

namespace kx {

class TKXDBComboBox;

namespace cashbook {

class TMoneyIntoOutTypeForm : public TCodeTreeForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("MoneyIntoOutTypeForm");

    explicit TMoneyIntoOutTypeForm(QWidget* owner);

    TKXDBEdit* KXDBEdit1; // name
    TKXDBEdit* KXDBEdit2; // note
    TKXDBEdit* KXDBEdit3; // order
    TKXDBComboBox* KXDBComboBox1;

protected:
    void FormCreate() override;
};

} // namespace cashbook
} // namespace kx
