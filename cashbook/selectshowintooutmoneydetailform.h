#pragma once
// The statistics drill-down: the records of a result row's subject and of
// every subject below it that meet the statistics' find condition.

#include "cashbook/selectshowintooutmoneyform.h"

namespace kx::cashbook {

class TSelectShowIntoOutMoneyDetailForm : public TSelectShowIntoOutMoneyForm {
    Q_OBJECT
public:
    explicit TSelectShowIntoOutMoneyDetailForm(QWidget* owner);

    // The statistics window's condition label and its find condition (SQL
    // text, or empty for all records).
    QString ConditionText;
    QString FindCondition;

protected:
    void LoadRecords() override { LoadSubjectRecords(); }
    TPrintChooserCall PrintCall() const override;

private:
    void LoadSubjectRecords();
};

} // namespace kx::cashbook
