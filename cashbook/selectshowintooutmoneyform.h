#pragma once
// What the two record drill-down windows share: the in/out records behind
// the current row of the caller's list, laid out from the field slots, and
// four buttons that step through the caller's list and load the records of
// each row they reach. The windows only show records. The caller creates
// one without owner, sets the public fields, shows it modally and frees it.

#include "core/fieldsdata.h"
#include "frame/app/kxapppopform.h"
#include "tablereport/printchoosercall.h"

#include <QPointer>

class QLabel;

namespace kx {

namespace db {
class TDataSet;
class TQuery;
} // namespace db

namespace cashbook {

class TSelectShowIntoOutMoneyForm : public TKXAppPopForm {
    Q_OBJECT
public:
    // Both windows keep one stored column layout per user.
    static inline const QString kLayoutName = QStringLiteral("SelectShowIntoOutMoneyForm");

    QLabel* Label24;
    QPushButton* button1_first;
    QPushButton* button1_prior;
    QPushButton* button1_next;
    QPushButton* button1_last;
    db::TQuery* QyMoneyAccount;

    // Set by the caller; the window moves MasterList but owns none of them.
    QPointer<db::TDataSet> MasterList;
    // SYS_MONEY_FIELD_TABLE, rows in FIELD_ORDER order.
    QPointer<db::TDataSet> FieldQuery;
    // MONEY_TYPE_ID and MONEY_TYPE_NAME of every subject.
    QPointer<db::TDataSet> SubjectLookup;
    TPrintFieldsArray MasterPrintFields;

    // The detail print entries of the records, rebuilt at every show.
    TPrintFieldsArray PrintFields;

protected:
    TSelectShowIntoOutMoneyForm(QWidget* owner, const QString& title);

    void FormCreate() override;
    void FormShow() override;

    // Loads the records of the master list's current row.
    virtual void LoadRecords() = 0;
    // The window's own catalogue key, caption, bindings and export name.
    virtual TPrintChooserCall PrintCall() const = 0;
    // The master list stands on a row.
    bool MasterHasRow() const;
    QString MasterText(const QString& fieldName) const;
    QDate MasterDate(const QString& fieldName) const;
    // The label and the records of that condition; no condition shows none.
    void ShowRecords(const QString& condition, const QString& label);

private:
    enum class TMove { First, Prior, Next, Last };

    void OrderFieldsByLayout();
    void ResetColumns();
    void MoveMaster(TMove move);
    void Button_PrintClick();
    void DBGridApplyCellAttr(db::TField* field, ui::TCanvas& canvas);
};

} // namespace cashbook
} // namespace kx
