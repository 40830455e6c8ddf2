#pragma once
// What the day- and month-ledger entry windows share: the current row of
// the ledger window's list with its account in the header and its status
// in a bar below, a new row that always gets a fund account, the balance
// that follows carried-over + in - out while a row is typed, date boxes with
// the date dialog, and verifying the row.

#include "cashbook/ledgerviews.h"
#include "frame/app/kxbasepopeditshowform.h"

#include <QPointer>

#include <memory>

class QGridLayout;
class QLabel;
class QVBoxLayout;

namespace kx {

class TKXDBComboEdit;
class TKXDBEdit;
class TSelectMoneyAccountRootForm;

namespace cashbook {

class TLedgerEntryForm : public TKXBasePopEditShowForm {
    Q_OBJECT
public:
    ~TLedgerEntryForm() override;

    // The account a new row gets; replaced by the current row's at show,
    // after every move and after an add.
    QString AccountId;
    QString AccountName;
    // Starts a new row right after showing.
    bool OpenAdding = false;
    // Made at the first add that needs it, kept for later adds.
    std::unique_ptr<TSelectMoneyAccountRootForm> AccountPicker;

    QLabel* Label24;
    QLabel* Panel3;
    TKXDBEdit* KXDBEdit3;  // carried over
    TKXDBEdit* KXDBEdit10; // in
    TKXDBEdit* KXDBEdit1;  // out
    TKXDBEdit* KXDBEdit2;  // balance
    TKXDBEdit* KXDBEdit15; // note

    // The header and the status bar of the current row.
    void ShowAccountAndStatus();

protected:
    TLedgerEntryForm(QWidget* owner, TLedgerView view);

    void FormShow() override;
    void Button_addClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button1_firstClick(QObject* sender) override;
    void button1_priorClick(QObject* sender) override;
    void button1_nextClick(QObject* sender) override;
    void button1_lastClick(QObject* sender) override;
    void button_OkClick(QObject* sender) override;

    // A labelled input in the next free place of the input grid; a wide one
    // takes a whole row.
    void AddInput(const QString& caption, QWidget* input, bool wide = false);
    // The next input starts a new row.
    void EndRow();
    TKXDBEdit* AddAmount(const QString& caption, const QString& field);
    TKXDBComboEdit* AddDateBox(const QString& caption, const QString& field);
    void AddAmountsAndNote();
    // The input the focus goes to after an add.
    QWidget* PeriodBox = nullptr;
    // The header's width; the input panel's when 0.
    int HeaderWidth = 0;
    bool RowEditing() const;
    QVBoxLayout* InputLayout;

private:
    void TakeRowAccount();
    bool GiveNewRowAnAccount();
    void RecomputeBalance();
    void DateButtonClick(TKXDBComboEdit* box);
    void DateBoxSelect(TKXDBComboEdit* box, bool& stop);
    QString RowText(const QString& field) const;

    TLedgerView view_;
    QGridLayout* inputs_;
    int nextCell_ = 0;
};

} // namespace cashbook
} // namespace kx
