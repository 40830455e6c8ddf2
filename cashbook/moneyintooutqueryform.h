#pragma once
// The statistics of the in/out records by subject: the subject tree on the
// left; on the right, for the chosen subject under the find condition, the
// totals of the records booked on the subject itself and one row per child
// subject with the totals of its whole subtree; the records behind a row
// open in the statistics drill-down window.

#include "cashbook/subjectsums.h"
#include "frame/app/kxdform.h"
#include "frame/controls/kxtreeview.h"
#include "tablereport/printfields.h"

#include <QPointer>

class QToolButton;

namespace kx {

class TFindFormDialog;
class TKX3DLabel;
class TKXNDBGrid;
class TKXThread;
class TSelectDeptForm;
class TSelectEmployeeForm;

namespace db {
class TQuery;
}

namespace cashbook {

class TMoneyIntoOutQueryForm : public TKXDForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("MoneyIntoOutQueryForm");
    // The find condition of a cancelled first find: no record meets it.
    static inline const QString kNoRecordsCondition =
        QStringLiteral("MONEY_RECORD_ID ='MONEY_RECORD_ID'");

    explicit TMoneyIntoOutQueryForm(QWidget* owner);
    ~TMoneyIntoOutQueryForm() override;

    TKXQuery* QyFieldName;
    db::TUpdateSQL* UPFieldName;
    db::TQuery* QyMontyType;
    QFrame* Panel4;
    TKXTreeView* KXTreeView;
    QFrame* Panel3;
    TKX3DLabel* KX3DLabel1;
    TKXNDBGrid* DBGrid1;
    QFrame* Panel5;
    QToolButton* SpeedButton4;
    TFindFormDialog* FindFormDialog;
    TKXThread* KXThread;

    QString SubjectId;
    QString SubjectName;
    QString FindCondition;
    bool Loading = true;
    TPrintFieldsArray PrintFields;
    QPointer<TSelectDeptForm> DeptPicker;
    QPointer<TSelectEmployeeForm> EmployeePicker;

    // Sums the chosen subject under the find condition into the result
    // list. The sums are read first, in one transaction: when that fails the
    // list keeps the rows it had.
    void ComputeSubjectSums();
    // The statistics drill-down on the current result row, shown modally.
    void SpeedButton4Click();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormDestroy() override;

private:
    void ResetColumns();
    void FillResultList(const TSubjectSums& sums);
    void ShowFindCondition(const QString& text);
    void button_findClick();
    void button_printClick();
    void FindFormDialogPopupWindow(QString& text, QString& code, QString& fieldName);
    void KXTreeViewChange(TTreeNode* node);
    void KXTreeViewExpanding(TTreeNode* node);
};

} // namespace cashbook
} // namespace kx
