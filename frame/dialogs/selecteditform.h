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

#include <QDialog>

class QLabel;
class QPushButton;
class QStackedLayout;

namespace kx {

class TKXDataSource;
class TKXDBEdit;
class TKXEdit;
class TKXNDBGrid;
class TKXQuery;

namespace db {
class TUpdateSQL;
}

class TSelectEditForm : public QDialog {
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

    QLabel* Label1;
    TKXDBEdit* KXDBEdit1;
    TKXEdit* KXEdit1;
    TKXNDBGrid* DBGrid;
    QPushButton* button_add;
    QPushButton* button_edit;
    QPushButton* button_delete;
    QPushButton* button_save;
    QPushButton* button_cancel;
    QPushButton* button_All;
    QPushButton* button_Ok;
    QPushButton* button_close;
    TKXQuery* Query;
    TKXDataSource* DS;
    db::TUpdateSQL* UpdateSQL1;

    // Closing is refused while a value is being added or edited.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void DSStateChange();
    void MirrorCurrentValue();
    bool HandleKey(int key);
    void button_addClick();
    void button_editClick();
    void button_deleteClick();
    void button_saveClick();
    void button_cancelClick();
    void button_AllClick();
    void button_OkClick();
    void SearchValues();
    void Reopen(const QString& sql);
    bool Editing() const;
    // Says why while a value is being added or edited.
    bool RefuseClosing() const;

    QStackedLayout* editStack_;
    TFieldsDataArray fieldsData_;
    TCheckDataArray checkData_;
    TInsertDataArray insertData_;
    TEditDataArray editData_;
};

} // namespace kx
