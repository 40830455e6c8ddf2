#pragma once
// The code-list window: the values of one code-list table, to pick one of
// them or to add, rename, delete and find values. The caller creates it,
// sets it up with SetupCodeList, opens Query, shows it modally and on OK
// reads the value column of Query's current row.
//
// Browsing, the search edit is in front (Enter finds the values containing
// its text); adding or editing, the value edit is, and the window will not
// close until the value is saved or cancelled.

#include "core/fieldsdata.h"
#include "frame/dialogs/gridlisteditform.h"

class QStackedLayout;

namespace kx {

class TKXEdit;

class TSelectEditForm : public TGridListEditForm {
    Q_OBJECT
public:
    explicit TSelectEditForm(QWidget* parent = nullptr);
    ~TSelectEditForm() override;

    // The value column, its caption and the table; call before showing.
    void SetupCodeList(const QString& fieldName, const QString& caption, const QString& tableName);

    QString CodeCaption;
    QString CodeField;
    QString CodeTable;
    QString CodeSql;

    TKXDBEdit* KXDBEdit1;
    TKXEdit* KXEdit1;

protected:
    bool HandleKey(int key) override;
    void FormShow() override;
    void DeleteRow() override;

private:
    void DSStateChange();
    void MirrorCurrentValue();
    void button_addClick();
    void button_AllClick();
    void SearchValues();
    void Reopen(const QString& sql);

    QStackedLayout* editStack_;
    TFieldsDataArray fieldsData_;
    TCheckDataArray checkData_;
    TInsertDataArray insertData_;
    TEditDataArray editData_;
};

} // namespace kx
