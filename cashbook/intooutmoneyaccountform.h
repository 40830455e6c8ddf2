#pragma once
// The day and month ledgers of the fund accounts: the account tree on the
// left, the ledger rows of the chosen account (or of all, at the root) on
// the right, one view at a time, each with its own find condition. Rows
// are added and corrected in the ledger entry windows, verified here, and
// the closing day of the ledger months is set here.

#include "cashbook/ledgerviews.h"
#include "frame/app/kxdform.h"
#include "frame/controls/kxtreeview.h"

#include <QPointer>

class QLabel;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace kx {

class TFindFormDialog;
class TKXNDBGrid;
class TSelectMonthForm;

namespace db {
class TQuery;
}

namespace cashbook {

class TIntoOutMoneyAccountForm : public TKXDForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("IntoOutMoneyAccountForm");

    explicit TIntoOutMoneyAccountForm(QWidget* owner);

    QFrame* Panel4;
    TKXTreeView* KXTreeView;
    QLabel* Label1;
    QStackedWidget* GridPages;
    TKXNDBGrid* DBGrid1;
    TKXNDBGrid* DBGrid2;
    QToolButton* SpeedButton1;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    TKXQuery* QyMonth;
    db::TUpdateSQL* UpMonth;
    TKXDataSource* DSMonth;
    db::TQuery* QyFieldName;
    db::TQuery* QyMontyType;
    TFindFormDialog* FindFormDialog;

    QString AccountId = QStringLiteral("G001");
    QString AccountName;
    QString DayCondition;
    QString MonthCondition;
    QString DayConditionText;
    QString MonthConditionText;
    bool Loading = false;
    bool EditorOpen = false;
    QPointer<TSelectMonthForm> MonthPicker;
    TFieldsDataArray MonthFieldsData;
    TPrintFieldsArray DayPrintFields;
    TPrintFieldsArray MonthPrintFields;

    TLedgerView View() const { return view_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_checkClick(QObject* sender) override;

private:
    void CreateRules();
    void SeedAndOpenLookups();
    void CreateTree();
    void SetUpGrid(TKXNDBGrid* grid, TKXQuery* list, TLedgerView view);
    void HookListEvents(TKXQuery* list, TLedgerView view);
    void RunFirstFind();

    void RefreshDayLedger();
    void RefreshMonthLedger();
    void RefreshLedger(TLedgerView view);
    void KXTreeViewChange(TTreeNode* node);
    void KXTreeViewExpanding(TTreeNode* node);
    void SwitchView(TLedgerView view);
    void ShowConditionLabel(const QString& text);
    void button_findClick(QObject* sender);
    void OpenEditor(TLedgerView view, bool adding, QToolButton* button);
    void GridDblClick(TLedgerView view);
    void SpeedButton1Click(QObject* sender);
    void Button_OtherClick(QObject* sender);
    void button_printClick();
    void ApplyCellAttr(db::TField* field, ui::TCanvas& canvas);
    void ListBeforePost(TKXQuery* list, TLedgerView view);
    void PutFieldsInRuleOrder(TKXQuery* list, TLedgerView view);
    void ListAfterInsert(TKXQuery* list, TLedgerView view);

    TKXQuery* ListOf(TLedgerView view) const;
    TFieldsDataArray RulesOf(TLedgerView view) const;

    TLedgerView view_ = TLedgerView::Day;
    bool accountChosen_ = false;
};

} // namespace cashbook
} // namespace kx
