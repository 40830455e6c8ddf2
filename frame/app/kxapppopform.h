#pragma once
// The pop-up list and pick window a list window shows modally: its own
// query, data source and grid, the edit buttons plus find, print and OK,
// and with OK the row the user chose stays current in Query. Closing only
// hides it; the caller frees it.

#include "core/fieldsdata.h"
#include "frame/app/formbuttons.h"
#include "frame/app/kxchild.h"
#include "frame/app/kxformevents.h"

class QFrame;
class QPushButton;

namespace kx {

class TKXDataSource;
class TKXNDBGrid;
class TKXQuery;

namespace db {
class TUpdateSQL;
}

class TKXAppPopForm : public TKXFormEvents {
    Q_OBJECT
public:
    QFrame* Panel400;
    QFrame* Panel2;
    QFrame* Panel3;
    QFrame* Panel1000;
    QPushButton* button_add;
    QPushButton* button_delete;
    QPushButton* button_edit;
    QPushButton* button_save;
    QPushButton* button_cancel;
    QPushButton* button_close;
    QPushButton* button_find;
    QPushButton* Button_Print;
    QPushButton* button_Ok;
    TKXNDBGrid* DBGrid;
    TKXQuery* Query;
    db::TUpdateSQL* UpdateSQL1;
    TKXDataSource* DS;

    QString SelectText;
    QString OrderByText; // with a leading blank
    // Add is allowed after FormCreate; callers copy in their own rights.
    TRights Rights;
    TFieldsDataArray FieldsData;
    TCheckDataArray CheckData;
    TInsertDataArray InsertData;
    TEditDataArray EditData;
    // When a derived window names both, FormShow reads Rights itself.
    QString ProgramGroupName;
    QString ProgramName;

    void SetupQuery(TKXQuery* query);
    void SetupDataSource(TKXDataSource* dataSource);

protected:
    explicit TKXAppPopForm(QWidget* owner);

    void FormCreate() override;
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose(TCloseAction& action) override;
    void FormKeyDown(int& key, ui::TShiftState shift) override;

    virtual void button_addClick(QObject* sender);
    virtual void button_editClick(QObject* sender);
    virtual void button_deleteClick(QObject* sender);
    virtual void button_saveClick(QObject* sender);
    virtual void button_cancelClick(QObject* sender);
    virtual void button_closeClick(QObject* sender);
    virtual void button_OkClick(QObject* sender);

private:
    void LinkButtons();
    void EnableByRights();
    bool Editing() const;
};

} // namespace kx
