#pragma once
// The fund accounts of the cash book, one level under the root.

#include "cashbook/codetreeform.h"

namespace kx {

class TKXDBComboBox;
class TKXDBComboEdit;

namespace cashbook {

class TMoneyAccountForm : public TCodeTreeForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("MoneyAccountForm");

    explicit TMoneyAccountForm(QWidget* owner);

    TKXDBEdit* KXDBEdit5; // name
    TKXDBComboBox* KXDBComboBox1;
    TKXDBEdit* KXDBEdit3; // order
    TKXDBComboEdit* KXDBComboEdit1;
    TKXDBEdit* KXDBEdit1; // opening balance
    TKXDBEdit* KXDBEdit2; // opening debit total
    TKXDBEdit* KXDBEdit4; // opening credit total
    TKXDBEdit* KXDBEdit6; // note

protected:
    void FormCreate() override;
};

} // namespace cashbook
} // namespace kx
