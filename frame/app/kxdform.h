#pragma once
// A list and edit window over one query: add, edit, delete, save, cancel,
// move and verify, with the buttons the user's rights allow.

#include "core/fieldsdata.h"
#include "frame/app/kxappform.h"

#include <QPointer>

namespace kx {

class TKXDataSource;
class TKXQuery;

namespace db {
class TDataSet;
class TUpdateSQL;
} // namespace db

class TKXDForm : public TKXAppForm {
    Q_OBJECT
public:
    QFrame* Panel1;
    TKXQuery* Query;
    db::TUpdateSQL* UpdateSQL1;
    TKXDataSource* DS;

    bool Adding = false;
    bool Editing = false;
    QString SelectText;
    QString OrderByText; // with a leading blank
    TFieldsDataArray FieldsData;
    TCheckDataArray CheckData;
    TInsertDataArray InsertData;
    TEditDataArray EditData;
    // The query add, edit, delete, save and cancel act on.
    QPointer<TKXQuery> ActiveQuery;
    // The data set the first, prior, next and last buttons move.
    QPointer<db::TDataSet> NavigationDataSet;

protected:
    explicit TKXDForm(QWidget* owner);

    void FormCreate() override;
    void FormShow() override;
    void FormClose(TCloseAction& action) override;

    virtual void button_addClick(QObject* sender);
    virtual void button_editClick(QObject* sender);
    virtual void button_deleteClick(QObject* sender);
    void button_saveClick(QObject* sender) override;
    virtual void button_cancelClick(QObject* sender);
    virtual void button_FirstClick(QObject* sender);
    virtual void Button_PriorClick(QObject* sender);
    virtual void Button_NextClick(QObject* sender);
    virtual void button_LastClick(QObject* sender);
    void button_checkClick(QObject* sender) override;

private:
    bool ActiveQueryOpen() const;
    void EnableByRights();
    void LinkButtons();
};

} // namespace kx
